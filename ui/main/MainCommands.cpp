// The main window's commands as the tool buttons and menus give them: one handler each.
#include <QAbstractButton>
#include <QCoreApplication>
#include <QDrag>
#include <QMenu>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QToolButton>
#include <stdexcept>

#include "icons/Rendering.h"
#include "toolkit/ShellFileList.h"
#include "ui/dialogs/frmAbout.h"
#include "ui/dialogs/frmInstallIcon.h"
#include "ui/dialogs/frmScanDirs.h"
#include "ui/export/ExportSettings.h"
#include "ui/main/BatchExportCommand.h"
#include "ui/main/HelpAndWeb.h"
#include "ui/main/HelpWindow.h"
#include "ui/main/IconDragOut.h"
#include "ui/main/ImageHold.h"
#include "ui/main/SaveImageCommand.h"
#include "ui/main/frmMain.h"
#include "ui/properties/frmProperties.h"
#include "ui/viewer/ViewerGrid.h"
#include "ui/widgets/PathText.h"
#include "ui/widgets/QtClipboardSink.h"
#include "ui/widgets/QtColor.h"
#include "ui/widgets/ScreenCursor.h"
#include "ui/widgets/StraightAlphaPicture.h"
#include "writers/SuggestedName.h"

void TMain::ConnectButtons() {
    const std::pair<QToolButton*, void (TMain::*)()> buttons[] = {
        {btnSave, &TMain::btnSaveClick},
        {btnCopy, &TMain::btnCopyClick},
        {btnCopyBackgroundColor, &TMain::btnCopyBackgroundColorClick},
        {btnInfo, &TMain::btnInfoClick},
        {btnFilter, &TMain::btnFilterClick},
        {btnScanDirectories, &TMain::btnScanDirectoriesClick},
        {btnScanNow, &TMain::btnScanNowClick},
        {btnScanAllFiles, &TMain::btnScanAllFilesClick},
        {btnLargeIcons, &TMain::btnLargeIconsClick},
        {btnSmallIcons, &TMain::btnLargeIconsClick},
        {btnList, &TMain::btnLargeIconsClick},
        {btnDetails, &TMain::btnLargeIconsClick},
    };
    for (auto [button, handler] : buttons) {
        connect(button, &QAbstractButton::clicked, this, [this, handler] { Run(handler); });
    }
}

void TMain::Run(void (TMain::*handler)()) {
    RunCommand(this, [this, handler] { (this->*handler)(); });
}

// Two or more selected cells go to the batch export; otherwise the current image is saved in
// the format of the chosen dialog entry.
void TMain::btnSaveClick() {
    if (lbxViewer->SelCount() >= 2) {
        TImageHold hold(*this);
        ShowBatchExport(*this);
        return;
    }
    TLoadedIconImage* image = CurrentImage();
    if (image) SaveImage(*image);
}

void TMain::SaveImage(TLoadedIconImage& image) {
    if (RefuseDamaged(image)) return;
    TImageHold hold(*this);
    const QString suggested =
        FromFilePath(SuggestedName(image, ExportSettings().Naming().Separator, true));
    const std::optional<TImageFileChoice> choice =
        ChooseImageFile(this, SaveAsDialog, SaveAsFolder, suggested);
    if (!choice) return;
    ShowHourglass();
    auto restore = qScopeGuard([] { RestoreCursor(); });
    SaveImageFile(image, *choice, ToTColor(CopyBackgroundColor()));
}

// With no cells there is nothing to export, as the single-image commands say.
void TMain::Export1Click() {
    if (lbxViewer->Count() == 0) {
        CurrentImage();
        return;
    }
    TImageHold hold(*this);
    ShowBatchExport(*this);
}

void TMain::btnCopyClick() {
    TLoadedIconImage* image = CurrentImage();
    if (image) CopyImage(*image);
}

void TMain::CopyImage(TLoadedIconImage& image) {
    if (RefuseDamaged(image)) return;
    TQtClipboardSink clipboard(StraightAlphaPng(image));
    CopyImageToClipboard(image, ToTColor(CopyBackgroundColor()), clipboard);
}

// Each drag writes into a fresh temporary folder; the previous drag's files go with the old
// folder, the last drag's when the window is destroyed.
std::unique_ptr<QMimeData> TMain::DragOutData() {
    DragFolder = std::make_unique<QTemporaryDir>();
    if (!DragFolder->isValid()) {
        throw std::runtime_error("No temporary folder for the dragged icons: " +
                                 ToFilePath(DragFolder->errorString()));
    }
    // Dropped files are named by what they are: file, resource, size and depth joined by the
    // stored separator, so that every colour depth of a size gets a name of its own.
    TExportNaming naming = ExportSettings().Naming();
    naming.Style = TExportStyle::FileResourceSizeDepth;
    naming.Prefix.clear();
    return IconDragData(GridEntries(*lbxViewer, FilteredImages), naming,
                        ToTColor(CopyBackgroundColor()), ToFilePath(DragFolder->path()));
}

// The images stay loaded while the drag goes on; a load request meanwhile waits for its end.
// Damaged images are left out of the files; a damaged caret image starts no drag.
void TMain::lbxViewerDragOut() {
    const int caret = lbxViewer->CaretIndex();
    if (caret < 0 || RefuseDamaged(lbxViewer->Item(caret))) return;
    TImageHold hold(*this);
    std::unique_ptr<QMimeData> data = DragOutData();
    if (!data) return;
    auto* drag = new QDrag(lbxViewer);
    drag->setPixmap(QPixmap::fromImage(StraightAlphaPicture(lbxViewer->Item(caret))));
    drag->setMimeData(data.release());
    drag->exec(Qt::CopyAction);
}

void TMain::InstallasDesktopIcon1Click() {
    TLoadedIconImage* image = CurrentImage();
    if (!image) return;
    TImageHold hold(*this);
    InstallAsDesktopIcon(this, *image);
}

void TMain::btnCopyBackgroundColorClick() {
    QColor color = CopyBackgroundColor();
    if (Prompter().ChooseColor(this, color)) SetCopyBackgroundColor(color);
}

// The dialog's Save As... and Copy buttons act as the window's own commands on the format
// chosen in the dialog, which stays open.
void TMain::btnInfoClick() {
    TLoadedIconImage* image = CurrentImage();
    if (!image) return;
    TImageHold hold(*this);
    TProperties dialog(this);
    dialog.SaveFolder = SaveAsFolder;
    dialog.NameSeparator = ExportSettings().Naming().Separator;
    dialog.OnSaveAs = [&dialog, this](TLoadedIconImage& chosen) {
        RunCommand(&dialog, [&] { SaveImage(chosen); });
    };
    dialog.OnCopy = [&dialog, this](TLoadedIconImage& chosen) {
        RunCommand(&dialog, [&] { CopyImage(chosen); });
    };
    dialog.ShowImageProperties(*image);
}

void TMain::Exit1Click() {
    close();
}

// The folder-tree scan: the subdirectory scan lists the current folder's tree and the files in
// it that match the mask, and the scan then loads those files. Without a current folder there is no
// tree to list, so the scan finds nothing rather than listing the whole file system.
void TMain::btnScanDirectoriesClick() {
    lbxFiles->ClearSelection();
    ScanFiles.reset();
    TFoundFiles found;
    if (!CurrentFolder.isEmpty() &&
        !ScanSubdirectories(ToFilePath(CurrentFolder), ToFilePath(lbxFiles->FileMask()), found)) {
        return;
    }
    ScanFiles = std::move(found);
    ScanFolderTree = true;
    LoadFiles(true);
}

// The folder scan of the current folder.
void TMain::btnScanNowClick() {
    lbxFiles->ClearSelection();
    ScanFolderTree = false;
    LoadFiles(true);
}

// The button has flipped already; down means always-scan, and a folder scan follows at once.
void TMain::btnScanAllFilesClick() {
    if (btnScanAllFiles->isChecked()) btnScanNowClick();
}

void TMain::AlwaysScanAllFiles1Click() {
    btnScanAllFiles->setChecked(!btnScanAllFiles->isChecked());
    btnScanAllFilesClick();
}

void TMain::IncludeCursors1Click() {
    IncludeCursors = !IncludeCursors;
    LoadFiles(btnScanAllFiles->isChecked());
}

void TMain::HideDuplicateImages1Click() {
    HideDuplicateImages = !HideDuplicateImages;
    RefillViewer();
}

void TMain::btnLargeIconsClick() {
    if (btnLargeIcons->isChecked()) {
        lbxFiles->SetViewStyle(TViewStyle::Icon);
    } else if (btnSmallIcons->isChecked()) {
        lbxFiles->SetViewStyle(TViewStyle::SmallIcon);
    } else if (btnList->isChecked()) {
        lbxFiles->SetViewStyle(TViewStyle::List);
    } else if (btnDetails->isChecked()) {
        lbxFiles->SetViewStyle(TViewStyle::Report);
    }
}

void TMain::ChooseViewButton(QToolButton* button) {
    button->setChecked(true);
    btnLargeIconsClick();
}

// Ticks the View menu's toggles after the buttons they stand for, and "Include Cursors" and
// "Hide Duplicate Images" after their settings.
void TMain::View1Popup() {
    const std::pair<const char*, QToolButton*> ticks[] = {
        {"AlwaysScanAllFiles1", btnScanAllFiles},
        {"LargeIcons1", btnLargeIcons},
        {"SmallIcons1", btnSmallIcons},
        {"List1", btnList},
        {"Details1", btnDetails},
    };
    for (auto [name, button] : ticks) {
        View1->findChild<QAction*>(QString::fromLatin1(name))->setChecked(button->isChecked());
    }
    View1->findChild<QAction*>(QStringLiteral("IncludeCursors1"))->setChecked(IncludeCursors);
    View1->findChild<QAction*>(QStringLiteral("HideDuplicateImages1"))
        ->setChecked(HideDuplicateImages);
    View1->findChild<QAction*>(QStringLiteral("HashIconsLikeCAPE1"))->setChecked(HashIconsLikeCape);
    View1->findChild<QAction*>(QStringLiteral("ShowLabels1"))->setChecked(ShowLabels);
    View1->findChild<QAction*>(QStringLiteral("ActualSize1"))
        ->setChecked(ViewerZoom == TViewerZoom::Actual());
    View1->findChild<QAction*>(QStringLiteral("FittoStrip1"))
        ->setChecked(ViewerZoom == TViewerZoom::Fit());
}

void TMain::ContentsandIndex1Click() {
    ShowHelpWindow(this, HelpFilePath(QCoreApplication::applicationDirPath()));
}

void TMain::UpdatesTechnicalSupport1Click() {
    OpenWebPage(kTechnicalSupportPage);
}

void TMain::MarrowbyHomePage1Click() {
    OpenWebPage(kHomePage);
}

void TMain::TallowmereWebSite1Click() {
    OpenWebPage(kMakerWebSite);
}

void TMain::AboutMarrowby1Click() {
    TAbout about(this);
    about.exec();
}
