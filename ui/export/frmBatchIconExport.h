#pragma once

#include <QDialog>
#include <QString>
#include <vector>

#include "graphics/Color.h"
#include "ui/export/ExportSettings.h"
#include "writers/ExportRun.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class TDirectoryEdit;

// The "Batch Icon Export" dialog: where to, in which format and under which names the
// selected images of the viewer grid are exported, with a live sample of the names; then the
// export itself, shown in the progress view of the same window. Created for one use.
class TBatchIconExport : public QDialog {
    Q_OBJECT
public:
    // Settings are read now and written back when a valid export starts; Entries are the
    // grid's cells in grid order with their selection; Loaded is every loaded image in grid
    // order, those the filter hides too (skipping existing files names files by them);
    // Background is the colour BMP, GIF and PNG output is drawn over.
    TBatchIconExport(TExportSettings& Settings, std::vector<TExportEntry> Entries,
                     TLoadedImages Loaded, TColor Background, QWidget* parent = nullptr);

    void FormCreate();
    // Shows or hides the multi-format box and refreshes the sample; every list and the prefix
    // call it on a change.
    void lbxStyleChange();
    // Validates the prefix and the directory, stores the settings, runs the export in the
    // progress view, reports in an "Information" box what was written, skipped and failed (its
    // "Open Folder" button has the desktop open the export directory) and closes the dialog.
    void btnExportClick();
    // Closes the dialog in its settings view; during a run asks the run to stop after the
    // current file.
    void btnCancelClick();
    // Esc presses Cancel.
    void reject() override;

    QWidget* Panel1;
    QLabel* Label1;
    QFrame* Bevel1;
    QLabel* Label2;
    TDirectoryEdit* txtDirectory;
    QLabel* Label3;
    QComboBox* lbxFormat;
    QCheckBox* chkOption;
    QGroupBox* GroupBox1;
    QLabel* Label7;
    QComboBox* lbxStyle;
    QLabel* Label8;
    QComboBox* lbxSeperator;
    QLabel* Label4;
    QLineEdit* txtPrefix;
    QCheckBox* chkSkipFiles;
    QLabel* Label5;
    QPlainTextEdit* Memo1;
    QPushButton* btnExport;
    QPushButton* btnCancel;
    QWidget* Panel2;
    QLabel* Label9;
    QLabel* Label10;
    QLabel* Label11;
    QProgressBar* ProgressBar1;

    bool Exporting = false;
    bool CancelRequested = false;

protected:
    // The close box closes the settings view; during a run it does nothing.
    void closeEvent(QCloseEvent* event) override;

private:
    void MakeSettingsView();
    void MakeNamingGroup();
    void MakeProgressView();
    void FitTexts();
    void FitColumns();
    void FitHeights();
    void FitWindow();
    bool DirectoryReady();
    void ShowProgressView();
    TExportResult RunExport();
    void ShowSummary(const TExportResult& Result);
    TExportSettings ChosenSettings() const;

    TExportSettings& Settings;
    std::vector<TExportEntry> Entries;
    TLoadedImages Loaded;
    TColor Background;
};
