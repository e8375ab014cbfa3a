#include "ui/BatchExportCommand.h"

#include <QLabel>
#include <array>
#include <utility>

#include "ui/PathText.h"
#include "ui/QtColor.h"
#include "ui/ViewerGrid.h"
#include "ui/frmBatchIconExport.h"
#include "ui/frmMain.h"

namespace {

// Each export setting beside the label of the window that keeps it.
std::array<std::pair<QLabel*, QString*>, 7> Holders(TMain& Main, TExportSettings& Settings) {
    return {{{Main.ExportFormat, &Settings.ExportFormat},
             {Main.ExportFilenameFormat, &Settings.ExportFilenameFormat},
             {Main.ExportPrefix, &Settings.ExportPrefix},
             {Main.ExportPath, &Settings.ExportPath},
             {Main.ExportSeperator, &Settings.ExportSeperator},
             {Main.ExportOption, &Settings.ExportOption},
             {Main.ExportSkipFiles, &Settings.ExportSkipFiles}}};
}

// A stored list index, or 0 when the text is no index of a list of Count entries.
int StoredIndex(const QString& stored, int count) {
    bool number = false;
    const int index = stored.toInt(&number);
    return number && index >= 0 && index < count ? index : 0;
}

}  // namespace

std::vector<TExportEntry> GridEntries(const TViewerGrid& Grid) {
    std::vector<TExportEntry> entries;
    for (int index = 0; index < Grid.Count(); ++index) {
        entries.push_back({&Grid.Item(index), Grid.IsSelected(index)});
    }
    return entries;
}

// The prefix is stored with a "|" after it, so that a trailing blank survives.
TExportNaming StoredExportNaming(const TMain& Main) {
    TExportNaming naming;
    constexpr int styles = static_cast<int>(TExportStyle::FileResourceSize) + 1;
    naming.Style =
        static_cast<TExportStyle>(StoredIndex(Main.ExportFilenameFormat->text(), styles));
    naming.Separator = kExportSeparators[StoredIndex(Main.ExportSeperator->text(),
                                                     static_cast<int>(sizeof kExportSeparators))];
    QString prefix = Main.ExportPrefix->text();
    if (prefix.endsWith(QLatin1Char('|'))) prefix.chop(1);
    naming.Prefix = ToFilePath(prefix);
    return naming;
}

void ShowBatchExport(TMain& Main) {
    TExportSettings settings;
    for (auto [label, text] : Holders(Main, settings)) *text = label->text();
    TBatchIconExport dialog(settings, GridEntries(*Main.lbxViewer),
                            ToTColor(Main.CopyBackgroundColor()), &Main);
    dialog.exec();
    for (auto [label, text] : Holders(Main, settings)) label->setText(*text);
}
