#pragma once

#include <QIcon>
#include <QList>
#include <QMainWindow>
#include <QString>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "graphics/Bitmap.h"
#include "icons/IconFilter.h"
#include "icons/LoadedIcon.h"
#include "toolkit/Prompter.h"
#include "ui/dialogs/FolderTreeListing.h"
#include "ui/main/RecentFiles.h"
#include "ui/viewer/ViewerZoom.h"

class QAction;
class QButtonGroup;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QMimeData;
class QTemporaryDir;
class QProgressBar;
class QSpinBox;
class QSplitter;
class QToolButton;
class TAnchorPanel;
class TFormStorage;
class TLoadRun;
class TShellFileList;
class TShellFolderTree;
class TSplitterShare;
class TStatusPanels;
class TViewerGrid;
struct TExportSettings;

// The program's main window: the folder tree and file list to browse with, the file-type box,
// the viewer grid with the images of the loaded files, the menus and tool buttons of every
// command, and the status bar. It owns the browsing state and the loaded icons, and runs the
// load run that fills them.
class TMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TMain(QWidget* parent = nullptr);
    ~TMain() override;

    // The load run. Files given: loads exactly those paths. Otherwise Scan: loads the files of
    // a folder scan or folder-tree scan. Otherwise: loads CurrentFolder + CurrentFileName.
    // Called while a run is going on, it only tells that run to stop; the run then restarts
    // itself once it has returned.
    void LoadFiles(bool Scan, std::optional<std::vector<std::string>> Files = std::nullopt);
    // The file or folder the program was started with: its folder is shown and the file chosen
    // there once the window is shown. A path that does not exist is reported and ignored.
    void OpenOnStart(const QString& path);
    // Empties the grid, hides status panel 2 and frees every loaded icon.
    void ClearLoaded();
    // Goes to a folder, or to a file's folder with the file chosen and loaded as a start path
    // is; a file joins the recent files. A path that is not there is named in status panel 0
    // and the folder stays. Returns whether the path was taken.
    bool OpenPath(const QString& path);

    // The viewer grid.
    void BuildViewer();
    // Empties the grid and builds it again from the loaded icons, keeping the cell size.
    void RefillViewer();
    void ChooseCellSize();
    // The cell shown under the zoom, item height and columns from it and the grid's size, and
    // CellBitmap resized to the shown cell.
    void ResizeViewer();
    // The zoom commands; In and Out step from the size shown and keep the caret cell in view.
    void ZoomIn1Click();
    void ZoomOut1Click();
    void ActualSize1Click();
    void FittoStrip1Click();
    void SetViewerZoom(const TViewerZoom& zoom);
    // The image the single-image commands act on, or nullptr after telling the user why.
    TLoadedIconImage* CurrentImage();
    // A damaged image cannot be saved, copied or dragged: says so with its reason and returns
    // true; false for a sound image.
    bool RefuseDamaged(const TLoadedIconImage& Image);
    // Draws grid item `index` into rect of canvas through CellBitmap.
    void lbxViewerDrawItem(QPainter& canvas, int index, const QRect& rect, bool selected);

    // Browsing.
    void lbxFiltersClick();
    void lbxFoldersChange();
    void lbxFilesPopulated();
    void lbxFilesChange(const QString& itemPath);
    // The address bar: Enter goes to the path typed (also relative to the current folder, "~"
    // for the home folder, or a file:// address); Ctrl+L and F6 put the focus in it.
    void lblCurrentPathReturn();
    void FocusAddressBar();

    // Commands, each reached from its menu items, tool button and shortcut alike.
    void btnSaveClick();
    // File > "Open...": a file chosen under the current file type is opened as a typed path.
    void Open1Click();
    // File > "Recent Files": its entries, newest first; a file that is gone is dropped with a
    // message.
    void RecentFiles1Popup();
    void OpenRecentFile(const QString& path);
    // File > "Export..." and the pop-up's "Export Selected...": the batch export of the
    // selected cells, or of every shown cell when one or none is selected.
    void Export1Click();
    void btnCopyClick();
    // Save As and Copy of one image, as the properties dialog asks for them too.
    void SaveImage(TLoadedIconImage& image);
    void CopyImage(TLoadedIconImage& image);
    void btnCopyBackgroundColorClick();
    // The selected cells dragged out of the grid: PNG files in a temporary folder and the
    // first image as image/png (ui/IconDragOut.h).
    void lbxViewerDragOut();
    std::unique_ptr<QMimeData> DragOutData();
    void btnInfoClick();
    // The current cell's icon group installed in the user's hicolor theme
    // (ui/dialogs/frmInstallIcon.h).
    void InstallasDesktopIcon1Click();
    void Exit1Click();
    void btnFilterClick();
    void btnScanDirectoriesClick();
    void btnScanNowClick();
    void btnScanAllFilesClick();
    void AlwaysScanAllFiles1Click();
    // Toggles whether executables' cursor groups are read, and reloads what is shown.
    void IncludeCursors1Click();
    // Toggles whether cells repeating an earlier cell's image are hidden, and refills the grid.
    void HideDuplicateImages1Click();
    // Toggles the labels under the cells.
    void ShowLabels1Click();
    // The file list's view style from the first view button that is down; also run after the
    // settings are restored.
    void btnLargeIconsClick();
    // The View menu's view items: put their button down, then as a click on it.
    void ChooseViewButton(QToolButton* button);
    void View1Popup();
    void SelectAll1Click();
    // Selects the shown cells whose group's dhash lies within the status bar's distance of the
    // caret cell's group, and counts them in the status bar (ui/main/FindSimilar.cpp).
    void FindSimilarIcons1Click();
    // Toggles whether Find Similar Icons hashes the image CAPE picks of each group rather than
    // the one Pillow opens, and forgets the dhashes computed.
    void HashIconsLikeCape1Click();
    void ContentsandIndex1Click();
    void UpdatesTechnicalSupport1Click();
    void MarrowbyHomePage1Click();
    void TallowmereWebSite1Click();
    void AboutMarrowby1Click();

    // Persisted layout, reachable for the settings store.
    int FoldersWidth() const;
    void SetFoldersWidth(int width);
    int ContainViewerHeight() const;
    void SetContainViewerHeight(int height);
    QColor CopyBackgroundColor() const;
    void SetCopyBackgroundColor(const QColor& color);
    // The batch-export preferences the settings labels below hold (ui/ExportSettings.h).
    TExportSettings ExportSettings() const;
    void SetExportSettings(const TExportSettings& settings);

    // Controls.
    QWidget* pnlOverall;
    QWidget* pnlExplorer;
    QFrame* Bevel3;
    QSplitter* Splitter2;
    QWidget* pnlFolders;
    QWidget* pnlFoldersToolbar;
    QComboBox* lbxFilters;
    TShellFolderTree* lbxFolders;
    QWidget* pnlFiles;
    TAnchorPanel* pnlFilesToolbar;
    QFrame* Bevel4;
    QLineEdit* lblCurrentPath;
    QToolButton* btnScanDirectories;
    QToolButton* btnScanNow;
    QFrame* Bevel2;
    QToolButton* btnScanAllFiles;
    QFrame* Bevel1;
    QToolButton* btnLargeIcons;
    QToolButton* btnSmallIcons;
    QToolButton* btnList;
    QToolButton* btnDetails;
    QButtonGroup* ViewButtons;
    TShellFileList* lbxFiles;
    QSplitter* Splitter1;
    TAnchorPanel* pnlContainViewer;
    QWidget* pnlViewer;
    QWidget* pnlViewerToolbar;
    QToolButton* btnSave;
    QToolButton* btnCopy;
    QToolButton* btnCopyBackgroundColor;
    QToolButton* btnInfo;
    QToolButton* btnFilter;
    TViewerGrid* lbxViewer;
    TAnchorPanel* pnlProgress;
    QProgressBar* ProgressBar;
    TStatusPanels* StatusBar;
    QLabel* Image1;
    QLabel* Image2;
    QMenuBar* MainMenu1;
    QMenu* File1;
    QMenu* RecentFiles1;
    QMenu* View1;
    QMenu* ViewerPopupMenu;
    // Find Similar Icons' distance, 0 to 16, in the status bar.
    QSpinBox* spnSimilarDistance = nullptr;
    QList<QIcon> Images;
    TSaveFileRequest SaveAsDialog;
    // The folder the save dialog suggests: the one last saved to.
    QString SaveAsFolder;

    // Settings holders: their colour and captions are the persisted copy and export choices.
    QWidget* Panel1;
    QLabel* CopyBackground;
    QLabel* ExportFormat;
    QLabel* ExportFilenameFormat;
    QLabel* ExportPrefix;
    QLabel* ExportPath;
    QLabel* ExportSeperator;
    QLabel* ExportOption;
    QLabel* ExportSkipFiles;

    // State.
    bool Ready = false;
    // The load run's own state: Loading, AbortLoad, CloseRequested and the files being read.
    std::unique_ptr<TLoadRun> LoadRun;
    bool ScanFolderTree = false;
    // What the last folder-tree scan found: its files and the folders it could not list, used
    // up by the load run that follows.
    std::optional<TFoundFiles> ScanFiles;
    bool TrackingSelection = false;
    // The files last opened, chosen, typed, dropped alone or named at start; persisted.
    TRecentFiles RecentFiles;
    // View > "Include Cursors": load runs read executables' cursor groups too; persisted.
    bool IncludeCursors = false;
    // View > "Hide Duplicate Images": a cell whose image has the same stored bytes as an
    // earlier cell's is not shown; persisted.
    bool HideDuplicateImages = false;
    // View > "Hash Icons Like CAPE": Find Similar Icons hashes CAPE's image of each group;
    // persisted.
    bool HashIconsLikeCape = false;
    // The dhash of each group of the current load that Find Similar Icons has needed, none where
    // Pillow cannot open the group; emptied with the load.
    std::map<const TIconGroupRecord*, std::optional<std::uint64_t>> GroupDhashes;
    QString CurrentFolder;
    QString CurrentFileName;
    QString CurrentMask;
    std::vector<std::unique_ptr<TLoadedIcon>> LoadedIcons;
    // Why the last load run found no icons, when it read one path; empty otherwise.
    std::string LoadReason;
    // Every loaded image that passes the filter, in load order: the grid's cells and the
    // duplicates hidden among them.
    std::vector<TLoadedIconImage*> FilteredImages;
    int CellWidth = 16;
    int CellHeight = 16;
    // View > zoom; persisted. ShownCell is the cell it gives, in logical pixels.
    TViewerZoom ViewerZoom;
    QSize ShownCell{16, 16};
    // View > "Show Labels": a line of size and depth under each cell; persisted. After a scan
    // (LabelsNameFiles) a second line names the file.
    bool ShowLabels = true;
    bool LabelsNameFiles = false;
    // Of the shown images: the largest side, the side Fit to Strip sizes cells for, and the
    // widest label line.
    int ShownMaxSide = 16;
    int ShownShareSide = 16;
    int ShownLabelWidth = 0;
    int LoadedMaxWidth = 16;
    int LoadedMaxHeight = 16;
    std::unique_ptr<TBitmap> CellBitmap;
    TIconFilter Filter;
    // Held images (ui/ImageHold.h): while ImageHolds is above 0 a load request only sets
    // LoadPutOff; the last release then restarts the run as an aborted run would.
    int ImageHolds = 0;
    bool LoadPutOff = false;
    void ReleaseImages();
    // The files of the last drag out of the grid.
    std::unique_ptr<QTemporaryDir> DragFolder;

    // The settings store (ui/MainStorage.cpp). Declared last, so it is destroyed first, while
    // every control it saves still exists.
    std::unique_ptr<TFormStorage> FormStorage;
    // Raised by the store after every restore: applies the restored view style.
    void FormStorageRestorePlacement();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Window creation, in MainControls.cpp.
    void CreateControls();
    QWidget* CreateExplorer();
    QWidget* CreateFoldersPane();
    QWidget* CreateFilesPane();
    void CreateFilesToolbar();
    void CreateAddressBar();
    TAnchorPanel* CreateViewerArea();
    QWidget* CreateViewerToolbar();
    void CreateSettingsHolders();
    void CreateFilterGlyphs();
    QToolButton* ToolButton(const char* name, const QIcon& glyph, const QString& hint);
    void pnlProgressResize();

    // Menus, in MainMenus.cpp.
    void CreateMenus();
    QMenu* CreateFileMenu();
    QMenu* CreateViewMenu();
    QMenu* CreateHelpMenu();
    void CreateViewerPopupMenu();
    void CreateSimilarDistanceBox();
    std::optional<std::uint64_t> GroupDhash(const TLoadedIconImage& image);

    // Browsing and the load run.
    void ConnectBrowsing();
    TFoundFiles PathsToLoad(bool Scan, std::optional<std::vector<std::string>> Files);
    TFoundFiles ScanPathList();
    void ShowPathCount(const std::vector<std::string>& paths, std::size_t unreadFolders);
    void ConnectLoadRun();
    void LoadRunFinished();
    void FinishRun();
    void PostRestart(bool Scan);
    void ApplyStartPath();
    void ChooseStartFile();
    // The start path until the settings are restored, and the file of an opened path until
    // it is chosen in its folder's list.
    QString StartPath;
    QString StartFileName;

    // The viewer grid's events.
    void ConnectViewer();
    void DescribeCaretCell();
    void lbxViewerMouseDown(Qt::MouseButton button, const QPoint& pos);
    void lbxViewerMouseMove();
    void lbxViewerMouseUp();
    void lbxViewerClick();
    // Panel 3 counts the selected cells while more than one is selected.
    void DescribeSelection();
    // The pop-up menu at the caret cell, as the menu keys open it.
    void lbxViewerKeyPopup();
    QSize ZoomedCell() const;
    void ApplyFoldersWidth(int width);
    // The folder side keeps a quarter of the window's width until a width is stored or chosen.
    bool FoldersShareKept = true;
    // The largest zoom step: 8 times the largest shown image, and an item whole in the strip.
    int LargestZoomStep() const;
    void MeasureShown(const std::vector<TLoadedIconImage*>& shown);
    // The labels' lines under each cell, in the small font; 0 without labels.
    int LabelHeight() const;
    void DrawLabels(QPainter& canvas, const TLoadedIconImage& image, const QRect& rect,
                    bool selected);
    // CellBitmap at the shown cell's size in device pixels of `ratio`.
    void SizeCellBitmap(double ratio);

    // The viewer area's share of the window's height, and the heights the two sides keep.
    TSplitterShare* ViewerShare = nullptr;
    int NormalOverallHeight() const;
    int ExplorerLeastHeight() const;
    int ViewerLeastHeight() const;

    void ConnectButtons();
    // Runs a handler so that no exception it lets out crosses the event loop.
    void Run(void (TMain::*handler)());
};
