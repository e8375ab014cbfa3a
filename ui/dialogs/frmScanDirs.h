#pragma once

#include <QDialog>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "icons/DirectoryScan.h"

class QLabel;
class QPushButton;

// The "Scanning Subdirectories" progress dialog: lists a folder and every folder below it
// while showing the folder just found and a running count, with a Cancel button. Created for
// one scan.
class TScanDirs : public QDialog {
    Q_OBJECT
public:
    // A millisecond tick count; pending input is served when it has moved on more than 100.
    using TTickCount = std::function<std::uint32_t()>;

    // The system's tick count is used unless another is given.
    explicit TScanDirs(const std::string& Folder, TTickCount TickCount = {},
                       QWidget* parent = nullptr);

    // Shows the dialog modally and scans. When the scan ran to its end, hands the folders
    // over in Folders (the start folder with a trailing separator first) and returns true;
    // when it was cancelled, discards them, leaves Folders untouched and returns false.
    bool Execute(std::vector<std::string>& Folders);

    // Runs the scan once the dialog is shown, then asks the dialog to close.
    void FormActivate();
    // Asks the scan to stop; it sees the request when it next serves pending input.
    void Button1Click();
    // Esc (and a close request) presses Cancel rather than closing the dialog under the
    // running scan.
    void reject() override;

    QPushButton* Button1;
    QWidget* Panel1;
    QLabel* Label1;
    QLabel* Label2;

private:
    void FolderFound(const std::string& folder, std::size_t count);
    void ServePendingInput();
    void FitTexts();

    bool Cancelled = false;
    TDirectoryScan Scan;
    std::vector<std::string> Directories;
    std::uint32_t LastPumpTick = 0;
    TTickCount TickCount;
};

// Runs the subdirectory scan of Folder in its dialog. True with the folders in Folders when
// the scan ran to its end; false, with Folders untouched, when the user cancelled.
bool ScanSubdirectories(const std::string& Folder, std::vector<std::string>& Folders);
