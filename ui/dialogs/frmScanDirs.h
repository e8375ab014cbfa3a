#pragma once

#include <QDialog>
#include <cstddef>
#include <string>
#include <vector>

#include "ui/dialogs/FolderTreeListing.h"

class QLabel;
class QPushButton;
class QTimer;

// The "Scanning Subdirectories" progress dialog: lists a folder and every folder below it, and
// the files in them that match a mask, on a thread of its own while showing the folder just
// found and a running count, with a Cancel button. Created for one scan.
class TScanDirs : public QDialog {
    Q_OBJECT
public:
    // `watch`, when given, is called on the listing's thread with every folder found below the
    // start folder, before the listing goes on.
    TScanDirs(const std::string& Folder, std::string Mask,
              TFolderTreeListing::TFolderFound watch = {}, QWidget* parent = nullptr);

    // Shows the dialog modally and scans. When the scan ran to its end, hands what it found
    // over in Found and returns true; when it was cancelled, discards it, leaves Found
    // untouched and returns false.
    bool Execute(TFoundFiles& Found);

    // Starts the scan once the dialog is shown; the dialog closes itself when the scan ends.
    void FormActivate();
    // Asks the scan to stop before its next folder.
    void Button1Click();
    // Esc (and a close request) presses Cancel rather than closing the dialog under the
    // running scan.
    void reject() override;

    QPushButton* Button1;
    QWidget* Panel1;
    QLabel* Label1;
    QLabel* Label2;

private:
    void ShowProgress();
    void ScanEnded();
    void FitTexts();

    bool Cancelled = false;
    std::size_t ShownCount = 1;
    QTimer* ProgressTimer;
    TFolderTreeListing::TFolderFound Watch;
    TFolderTreeListing Directories;  // last, so its thread ends before the rest goes
};

// Runs the subdirectory scan of Folder in its dialog, taking the files that match Mask
// (MatchesFileMask). True with what it found in Found when the scan ran to its end; false,
// with Found untouched, when the user cancelled.
bool ScanSubdirectories(const std::string& Folder, const std::string& Mask, TFoundFiles& Found);
