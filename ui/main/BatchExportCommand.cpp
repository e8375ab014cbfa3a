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

void ShowBatchExport(TMain& Main) {
    TExportSettings settings = Main.ExportSettings();
    TBatchIconExport dialog(settings, GridEntries(*Main.lbxViewer, Main.FilteredImages),
                            ToTColor(Main.CopyBackgroundColor()), &Main);
    // The dialog closes accepted exactly when it stored the settings and ran the export.
    if (dialog.exec() == QDialog::Accepted) Main.SetExportSettings(settings);
}
