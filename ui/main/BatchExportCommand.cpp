#include "ui/main/BatchExportCommand.h"

#include "ui/export/ExportSettings.h"
#include "ui/export/frmBatchIconExport.h"
#include "ui/main/frmMain.h"
#include "ui/viewer/ViewerGrid.h"
#include "ui/widgets/QtColor.h"

std::vector<TExportEntry> GridEntries(const TViewerGrid& Grid,
                                      const std::vector<TLoadedIconImage*>& Filtered) {
    std::vector<TExportEntry> entries;
    int index = 0;
    for (TLoadedIconImage* image : Filtered) {
        if (index < Grid.Count() && &Grid.Item(index) == image) {
            entries.push_back({image, Grid.IsSelected(index), false});
            ++index;
        } else {
            entries.push_back({image, false, true});
        }
    }
    return entries;
}

namespace {

// Every image of every loaded file, in the order the grid shows them.
TLoadedImages LoadedImages(const TMain& Main) {
    TLoadedImages images;
    for (const auto& icon : Main.LoadedIcons) {
        for (const auto& image : icon->Images) images.push_back(image.get());
    }
    return images;
}

// One selected cell or none stands for every cell shown.
std::vector<TExportEntry> EntriesToExport(const TMain& Main) {
    std::vector<TExportEntry> entries = GridEntries(*Main.lbxViewer, Main.FilteredImages);
    if (Main.lbxViewer->SelCount() > 1) return entries;
    for (TExportEntry& entry : entries) entry.Selected = !entry.Hidden;
    return entries;
}

}  // namespace

void ShowBatchExport(TMain& Main) {
    TExportSettings settings = Main.ExportSettings();
    TBatchIconExport dialog(settings, EntriesToExport(Main), LoadedImages(Main),
                            ToTColor(Main.CopyBackgroundColor()), &Main);
    // The dialog closes accepted exactly when it stored the settings and ran the export.
    if (dialog.exec() == QDialog::Accepted) Main.SetExportSettings(settings);
}
