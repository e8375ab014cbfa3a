// The main window's commands as the tool buttons and menus give them: one handler each.
#include <QAbstractButton>
#include <QMenu>
#include <QToolButton>

#include "toolkit/ShellFileList.h"
#include "ui/HelpAndWeb.h"
#include "ui/frmAbout.h"
#include "ui/frmMain.h"

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

void TMain::NotYetAvailable() {
    Prompter().Message(this, QStringLiteral("Information"),
                       QStringLiteral("This command is not available yet."), TPromptButtons::Ok);
}

void TMain::btnSaveClick() {
    if (CurrentImage()) NotYetAvailable();
}

void TMain::btnCopyClick() {
    if (CurrentImage()) NotYetAvailable();
}

void TMain::btnCopyBackgroundColorClick() {
    NotYetAvailable();
}

void TMain::btnInfoClick() {
    if (CurrentImage()) NotYetAvailable();
}

void TMain::Exit1Click() {
    close();
}

void TMain::btnScanDirectoriesClick() {
    NotYetAvailable();
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

// Ticks the View menu's toggles after the buttons they stand for.
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
}

void TMain::ContentsandIndex1Click() {
    OpenHelpContents();
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
