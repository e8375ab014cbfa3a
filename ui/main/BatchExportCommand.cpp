#include "ui/main/BatchExportCommand.h"

#include "ui/export/ExportSettings.h"
#include "ui/export/frmBatchIconExport.h"
#include "ui/main/frmMain.h"
#include "ui/viewer/ViewerGrid.h"
#include "ui/widgets/QtColor.h"

std::vector<TExportEntry> GridEntries(const TViewerGrid& Grid) {
    std::vector<TExportEntry> entries;
    for (int index = 0; index < Grid.Count(); ++index) {
        entries.push_back({&Grid.Item(index), Grid.IsSelected(index)});
    }
    return entries;
}

void ShowBatchExport(TMain& Main) {
    TExportSettings settings = Main.ExportSettings();
    TBatchIconExport dialog(settings, GridEntries(*Main.lbxViewer),
                            ToTColor(Main.CopyBackgroundColor()), &Main);
    // The dialog closes accepted exactly when it stored the settings and ran the export.
    if (dialog.exec() == QDialog::Accepted) Main.SetExportSettings(settings);
}
