#include "ui/main/frmMain.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QProgressBar>
#include <QScopeGuard>
#include <QSplitter>
#include <QTemporaryDir>
#include <QToolButton>
#include <QUrl>
#include <algorithm>
#include <utility>

#include "icons/LoadIcons.h"
#include "icons/PathList.h"
#include "toolkit/FocusReturn.h"
#include "toolkit/FormStorage.h"
#include "toolkit/ShellFileList.h"
#include "toolkit/ShellFolderTree.h"
#include "ui/main/LoadRun.h"
#include "ui/main/MainStorage.h"
#include "ui/main/StatusPanels.h"
#include "ui/viewer/ViewerGrid.h"
#include "ui/widgets/AnchorPanel.h"
#include "ui/widgets/DesignedLayout.h"
#include "ui/widgets/Glyphs.h"
#include "ui/widgets/PathText.h"
#include "ui/widgets/ScreenCursor.h"
#include "ui/widgets/SplitterShare.h"

namespace {

constexpr QSize kWindowSize(691, 463);
constexpr int kFirstFileType = 1;
constexpr int kFoldersShare = 4;
constexpr int kMinCellSize = 16;
// Runs of more paths than this show the progress view in place of the grid.
constexpr std::size_t kProgressThreshold = 10;

// The mask of a file-type entry: the text between its first "(" and the ")" after it.
QString MaskOfEntry(const QString& entry) {
    const qsizetype open = entry.indexOf(QLatin1Char('('));
    const qsizetype close = open < 0 ? -1 : entry.indexOf(QLatin1Char(')'), open);
    return close < 0 ? QString() : entry.mid(open + 1, close - open - 1);
}

// The local files of a drop, in drop order; other addresses are left out.
std::vector<std::string> DroppedPaths(const QMimeData* data) {
    std::vector<std::string> paths;
    if (!data) return paths;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile())
            paths.push_back(ToFilePath(QDir::toNativeSeparators(url.toLocalFile())));
    }
    return paths;
}

}  // namespace

TMain::TMain(QWidget* parent) : QMainWindow(parent), LoadRun(std::make_unique<TLoadRun>()) {
    setObjectName(QStringLiteral("Main"));
    setWindowTitle(QStringLiteral("Marrowby 2"));
    UseDesignFont(this);
    Images = MenuImages();
    ReturnFocusAfterDialogs();
    CreateControls();
    CreateMenus();
    ConnectBrowsing();
    ConnectLoadRun();
    ConnectViewer();
    ConnectButtons();
    resize(kWindowSize);
    CentreOnScreen(this);

    Filter = TIconFilter();
    SaveAsDialog.Title = QStringLiteral("Save Icon As Image");
    SaveAsDialog.Filters = {QStringLiteral("Bitmaps (*.bmp)|*.bmp"),
                            QStringLiteral("Icons (*.ico)|*.ico")};
    SaveAsDialog.Filters << QStringLiteral("CompuServe GIF Image (*.gif)|*.gif")
                         << QStringLiteral("Portable Network Graphic (*.png)|*.png")
                         << QStringLiteral("Apple Icon Image (*.icns)|*.icns");
    SaveAsDialog.FilterIndex = 4;
    SaveAsFolder = QDir::homePath();
    setAcceptDrops(true);
    CellBitmap = std::make_unique<TBitmap>(CellWidth, CellHeight, TPixelFormat::pf24bit);
    SetApplicationTitle(QStringLiteral("Marrowby 2 Pro"));
    setWindowTitle(ApplicationTitle());
    lbxFilters->setCurrentIndex(kFirstFileType);
    lbxFiltersClick();
    Ready = true;
    // Typing starts in the file list, not in the file-type box.
    lbxFiles->setFocus();
    FormStorage = CreateMainStorage(*this);
}

// The grid points into the loaded icons, so it is emptied before they are freed.
TMain::~TMain() {
    ClearLoaded();
}

void TMain::ConnectBrowsing() {
    connect(lbxFilters, &QComboBox::activated, this, [this] { Run(&TMain::lbxFiltersClick); });
    connect(lbxFolders, &TShellFolderTree::Change, this, [this] { Run(&TMain::lbxFoldersChange); });
    connect(lbxFiles, &TShellFileList::Populated, this, [this] { Run(&TMain::lbxFilesPopulated); });
    connect(lbxFiles, &TShellFileList::Change, this, [this](const QString& itemPath) {
        RunCommand(this, [&] { lbxFilesChange(itemPath); });
    });
}

// The progress bar shows the files read so far, so the first file shows 0.
void TMain::ConnectLoadRun() {
    connect(LoadRun.get(), &TLoadRun::Progress, this,
            [this](int done) { ProgressBar->setValue(done); });
    connect(LoadRun.get(), &TLoadRun::Finished, this, [this] { Run(&TMain::LoadRunFinished); });
}

void TMain::lbxFiltersClick() {
    const QString mask = MaskOfEntry(lbxFilters->currentText());
    if (mask == CurrentMask) return;
    CurrentFolder.clear();
    CurrentMask = mask;
    lbxFiles->SetFileMask(mask);
}

void TMain::lbxFoldersChange() {
    ShowHourglass();
}

// The list has been refilled: a folder other than the current one starts a load run, as does
// any refill after the mask changed (which empties CurrentFolder).
void TMain::lbxFilesPopulated() {
    auto restore = qScopeGuard([] { RestoreCursor(); });
    if (!Ready) return;
    const QString folder = WithTrailingSeparator(lbxFolders->Directory());
    if (folder == CurrentFolder) return;
    lblCurrentPath->setText(folder);
    CurrentFolder = folder;
    ScanFolderTree = false;
    // A file opened by its path is loaded alone, also while always-scan is on.
    LoadFiles(btnScanAllFiles->isChecked() && StartFileName.isEmpty());
    ChooseStartFile();
}

// The folder of the path is shown ahead of the stored folder, so it is applied once the
// settings have been restored; a file is then chosen there.
void TMain::OpenOnStart(const QString& path) {
    const QFileInfo start(path);
    if (!start.exists()) {
        Prompter().Message(this, QStringLiteral("Warning"),
                           QStringLiteral("\"%1\" does not exist.").arg(path), TPromptButtons::Ok);
        return;
    }
    StartPath = start.absoluteFilePath();
}

void TMain::ApplyStartPath() {
    if (StartPath.isEmpty()) return;
    OpenPath(StartPath);
    StartPath.clear();
}

// Marks the start file in the list once its folder is shown; it is current already, so the
// choice loads nothing more.
void TMain::ChooseStartFile() {
    if (StartFileName.isEmpty()) return;
    for (int row = 0; row < lbxFiles->Count(); ++row) {
        if (QFileInfo(lbxFiles->ItemPath(row)).fileName() == StartFileName) {
            lbxFiles->SelectItem(row);
            break;
        }
    }
    StartFileName.clear();
}

void TMain::lbxFilesChange(const QString& itemPath) {
    if (!lbxFiles->HasSelection()) return;
    RecentFiles.Add(itemPath);
    const QString name = QFileInfo(itemPath).fileName();
    if (name == CurrentFileName) return;
    CurrentFileName = name;
    LoadFiles(false);
}

// Steps up to the start of the reading; the reading goes on on worker threads and the run
// ends in LoadRunFinished, so the window serves input all along.
void TMain::LoadFiles(bool Scan, std::optional<std::vector<std::string>> Files) {
    if (LoadRun->Loading) {
        LoadRun->Abort();
        return;
    }
    if (ImageHolds > 0) {
        LoadPutOff = true;
        return;
    }
    for (int panel = 0; panel <= 2; ++panel) {
        StatusBar->SetText(panel, QString());
        StatusBar->SetPanelWidth(panel, 1);
    }
    LoadRun->Begin();
    ShowHourglass();
    ProgressBar->setValue(0);
    auto endOnError = qScopeGuard([this] { FinishRun(); });
    ClearLoaded();
    // The cells of a scan, or of several files, name their file in a second label line.
    LabelsNameFiles = Scan || (Files && Files->size() > 1);
    TFoundFiles toLoad = PathsToLoad(Scan, std::move(Files));
    CellWidth = CellHeight = kMinCellSize;
    LoadRun->Start(std::move(toLoad.Files), {.IncludeCursors = IncludeCursors});
    endOnError.dismiss();
}

// The grid is filled once, from every icon read, unless the run was stopped; a stopped run
// then closes the window or restarts.
void TMain::LoadRunFinished() {
    {
        auto finish = qScopeGuard([this] { FinishRun(); });
        LoadedIcons = LoadRun->TakeIcons();
        LoadReason = LoadRun->Reason();
        int maxWidth = kMinCellSize;
        int maxHeight = kMinCellSize;
        for (const std::unique_ptr<TLoadedIcon>& icon : LoadedIcons) {
            maxWidth = std::max(maxWidth, static_cast<int>(icon->MaxWidth));
            maxHeight = std::max(maxHeight, static_cast<int>(icon->MaxHeight));
        }
        LoadedMaxWidth = CellWidth = maxWidth;
        LoadedMaxHeight = CellHeight = maxHeight;
        ChooseCellSize();
        pnlProgress->hide();
        if (!LoadRun->AbortLoad) BuildViewer();
    }
    if (LoadRun->AbortLoad) {
        if (LoadRun->CloseRequested) {
            close();
        } else {
            PostRestart(btnScanAllFiles->isChecked());
        }
    }
    ResizeViewer();
}

TFoundFiles TMain::PathsToLoad(bool Scan, std::optional<std::vector<std::string>> Files) {
    if (Files) {
        ShowPathCount(*Files, 0);
        return {std::move(*Files), {}};
    }
    if (Scan) {
        TFoundFiles found = ScanPathList();
        ShowPathCount(found.Files, found.FailedFolders.size());
        return found;
    }
    if (CurrentFileName.isEmpty() || CurrentFolder.isEmpty()) return {};
    // A folder without a file of the current name is no file's failure: nothing is read.
    if (!QFileInfo::exists(CurrentFolder + CurrentFileName)) return {};
    StatusBar->ShowMessage(0, CurrentFileName);
    return {{ToFilePath(CurrentFolder + CurrentFileName)}, {}};
}

// What a folder-tree scan found is used up by its first load, a restarted one finds nothing;
// a folder scan lists the current folder. No folder at all lists nothing (rather than the root
// folder).
TFoundFiles TMain::ScanPathList() {
    if (ScanFolderTree) {
        if (!ScanFiles) return {};
        return std::exchange(*ScanFiles, {});
    }
    if (CurrentFolder.isEmpty()) return {};
    return {BuildPathList({ToFilePath(CurrentFolder)}, ToFilePath(lbxFiles->FileMask())), {}};
}

// The count of files to read, and of the folders whose files could not all be listed, so the
// count is not taken for the whole tree.
void TMain::ShowPathCount(const std::vector<std::string>& paths, std::size_t unreadFolders) {
    if (paths.size() > kProgressThreshold) {
        ProgressBar->setMaximum(static_cast<int>(paths.size()));
        pnlViewer->hide();
        pnlProgress->show();
    }
    QString text;
    if (paths.size() == 1) {
        text = FromFilePath(paths.front());
    } else if (paths.size() > 1) {
        text = QStringLiteral("%1 files.").arg(paths.size());
    }
    if (unreadFolders > 0) {
        text += (text.isEmpty() ? QString() : QStringLiteral(" ")) +
                (unreadFolders == 1
                     ? QStringLiteral("1 folder could not be read.")
                     : QStringLiteral("%1 folders could not be read.").arg(unreadFolders));
    }
    if (text.isEmpty()) {
        StatusBar->SetPanelWidth(0, 0);
    } else {
        StatusBar->ShowMessage(0, text);
    }
}

// Ends a run, also one that an error cut short: the progress view gives way to the grid again
// and the window is no longer loading.
void TMain::FinishRun() {
    pnlProgress->hide();
    pnlViewer->show();
    RestoreCursor();
    LoadRun->End();
}

// The restart comes after the aborted run and the handler that stopped it have both returned,
// and takes the folder and file name as they stand then.
void TMain::PostRestart(bool Scan) {
    QMetaObject::invokeMethod(
        this, [this, Scan] { RunCommand(this, [&] { LoadFiles(Scan); }); }, Qt::QueuedConnection);
}

void TMain::ReleaseImages() {
    if (--ImageHolds > 0 || !LoadPutOff) return;
    LoadPutOff = false;
    PostRestart(btnScanAllFiles->isChecked());
}

void TMain::ClearLoaded() {
    lbxViewer->Clear();
    FilteredImages.clear();
    StatusBar->SetPanelWidth(2, 0);
    LoadedIcons.clear();
    GroupDhashes.clear();
}

// Until a width is stored or the splitter is moved, the folder side is a quarter of the window.
void TMain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (FoldersShareKept) ApplyFoldersWidth(width() / kFoldersShare);
}

void TMain::closeEvent(QCloseEvent* event) {
    if (LoadRun->Loading) {
        LoadRun->CloseRequested = true;
        LoadRun->Abort();
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void TMain::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

// The run starts once the drop has been answered, so the file manager is not kept waiting. One
// file is opened as a start path is; several are loaded together. Addresses that are no local
// files are named in status panel 0.
void TMain::dropEvent(QDropEvent* event) {
    std::vector<std::string> paths = DroppedPaths(event->mimeData());
    event->acceptProposedAction();
    if (paths.empty()) {
        const QList<QUrl> urls = event->mimeData()->urls();
        if (!urls.isEmpty()) {
            StatusBar->ShowMessage(
                0, QStringLiteral("Not a local file: %1").arg(urls.front().toDisplayString()));
        }
        return;
    }
    QMetaObject::invokeMethod(
        this,
        [this, paths = std::move(paths)] {
            RunCommand(this, [&] {
                if (paths.size() == 1) {
                    OpenPath(FromFilePath(paths.front()));
                } else {
                    LoadFiles(false, paths);
                }
            });
        },
        Qt::QueuedConnection);
}

int TMain::FoldersWidth() const {
    return pnlFolders->width();
}

void TMain::SetFoldersWidth(int width) {
    FoldersShareKept = false;
    ApplyFoldersWidth(width);
}

void TMain::ApplyFoldersWidth(int width) {
    const QList<int> sizes = Splitter2->sizes();
    const int total = std::max(sizes.value(0) + sizes.value(1), width + 1);
    Splitter2->setSizes({width, total - width});
}

// The viewer area's height at the window's normal size, also while the window is maximised.
int TMain::ContainViewerHeight() const {
    return ViewerShare->SecondLength();
}

void TMain::SetContainViewerHeight(int height) {
    ViewerShare->SetSecondLength(height);
}

// The menu and status bars keep their heights whatever the window's, so pnlOverall's height at
// the normal size is the normal height less what they take now.
int TMain::NormalOverallHeight() const {
    const bool normal = !(isMaximized() || isFullScreen()) || !normalGeometry().isValid();
    const int windowHeight = normal ? height() : normalGeometry().height();
    return windowHeight - (height() - pnlOverall->height());
}

QColor TMain::CopyBackgroundColor() const {
    return CopyBackground->palette().color(QPalette::Window);
}

void TMain::SetCopyBackgroundColor(const QColor& color) {
    QPalette palette = CopyBackground->palette();
    palette.setColor(QPalette::Window, color);
    CopyBackground->setPalette(palette);
}
