#include "ui/BatchExportCommand.h"

#include <QLabel>
#include <array>
#include <utility>

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

std::vector<TExportEntry> GridEntries(const TViewerGrid& Grid) {
    std::vector<TExportEntry> entries;
    for (int index = 0; index < Grid.Count(); ++index) {
        entries.push_back({&Grid.Item(index), Grid.IsSelected(index)});
    }
    return entries;
}

}  // namespace

void ShowBatchExport(TMain& Main) {
    TExportSettings settings;
    for (auto [label, text] : Holders(Main, settings)) *text = label->text();
    TBatchIconExport dialog(settings, GridEntries(*Main.lbxViewer),
                            ToTColor(Main.CopyBackgroundColor()), &Main);
    dialog.exec();
    for (auto [label, text] : Holders(Main, settings)) label->setText(*text);
}
