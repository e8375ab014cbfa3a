// The main menu and the viewer grid's pop-up menu: captions, shortcuts, glyphs and order.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>
#include <functional>
#include <vector>

#include "ui/main/frmMain.h"

namespace {

// One menu entry; an entry without a name is a separator.
struct TMenuItem {
    const char* Name = nullptr;
    const char* Caption = "";
    QKeySequence Shortcut;
    int Glyph = -1;
    std::function<void()> Command;
    bool Tick = false;
    // A second key that gives the command too.
    QKeySequence OtherShortcut = QKeySequence();
};

const TMenuItem kSeparator{};

QMenu* NamedMenu(const char* name, const char* caption, QWidget* parent) {
    auto* menu = new QMenu(QString::fromUtf8(caption), parent);
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
}

// Appends the items to a menu; each runs its command so that no exception leaves it.
void AddItems(QMenu* menu, const std::vector<TMenuItem>& items, TMain* window) {
    for (const TMenuItem& item : items) {
        if (!item.Name) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(QString::fromUtf8(item.Caption));
        action->setObjectName(QString::fromLatin1(item.Name));
        action->setShortcuts(item.OtherShortcut.isEmpty()
                                 ? QList<QKeySequence>{item.Shortcut}
                                 : QList<QKeySequence>{item.Shortcut, item.OtherShortcut});
        action->setCheckable(item.Tick);
        if (item.Glyph >= 0) action->setIcon(window->Images.at(item.Glyph));
        QObject::connect(action, &QAction::triggered, window,
                         [window, command = item.Command] { RunCommand(window, command); });
    }
}

std::function<void()> Handler(TMain* window, void (TMain::*method)()) {
    return [window, method] { (window->*method)(); };
}

}  // namespace

void TMain::CreateMenus() {
    MainMenu1 = menuBar();
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    MainMenu1->addMenu(CreateFileMenu());
    MainMenu1->addMenu(CreateViewMenu());
    MainMenu1->addMenu(CreateHelpMenu());
    CreateViewerPopupMenu();
}

QMenu* TMain::CreateFileMenu() {
    File1 = NamedMenu("File1", "&File", MainMenu1);
    AddItems(File1,
             {{"Open1", "&Open...", QKeySequence(Qt::CTRL | Qt::Key_O), -1,
               Handler(this, &TMain::Open1Click)}},
             this);
    RecentFiles1 = NamedMenu("RecentFiles1", "&Recent Files", File1);
    File1->addMenu(RecentFiles1);
    connect(RecentFiles1, &QMenu::aboutToShow, this, [this] { Run(&TMain::RecentFiles1Popup); });
    connect(File1, &QMenu::aboutToShow, this, [this] {
        RecentFiles1->menuAction()->setEnabled(!RecentFiles.Paths().isEmpty());
    });
    AddItems(File1,
             {kSeparator,
              {"SaveAs1", "&Save As...", QKeySequence(Qt::CTRL | Qt::Key_S), 0,
               Handler(this, &TMain::btnSaveClick)},
              {"CopytoClipboard1", "&Copy to Clipboard", QKeySequence(Qt::CTRL | Qt::Key_C), 1,
               Handler(this, &TMain::btnCopyClick)},
              {"BackgroundColorforCopying1", "&Background Color for Copying...",
               QKeySequence(Qt::CTRL | Qt::Key_B), 2,
               Handler(this, &TMain::btnCopyBackgroundColorClick)},
              {"Export1", "&Export...", QKeySequence(Qt::CTRL | Qt::Key_E), -1,
               Handler(this, &TMain::Export1Click)},
              {"InstallasDesktopIcon1", "&Install as Desktop Icon...", QKeySequence(), -1,
               Handler(this, &TMain::InstallasDesktopIcon1Click)},
              kSeparator,
              {"IconProperties1", "Icon &Properties...", QKeySequence(Qt::ALT | Qt::Key_Return), 3,
               Handler(this, &TMain::btnInfoClick)},
              kSeparator,
              {"Exit1", "E&xit", QKeySequence(), 4, Handler(this, &TMain::Exit1Click)}},
             this);
    return File1;
}

QMenu* TMain::CreateViewMenu() {
    auto view = [this](QToolButton* button) {
        return [this, button] { ChooseViewButton(button); };
    };
    View1 = NamedMenu("View1", "&View", MainMenu1);
    AddItems(
        View1,
        {{"FilterIcons1", "Fil&ter Icons...", QKeySequence(Qt::CTRL | Qt::Key_T), -1,
          Handler(this, &TMain::btnFilterClick)},
         kSeparator,
         {"ScanAllSubdirectoriesNow1", "Scan All &Subdirectories Now",
          QKeySequence(Qt::CTRL | Qt::Key_D), 6, Handler(this, &TMain::btnScanDirectoriesClick)},
         {"ScanAllFilesInDirectoryNow1", "Scan All &Files In Directory Now",
          QKeySequence(Qt::CTRL | Qt::Key_F), 5, Handler(this, &TMain::btnScanNowClick)},
         {"AlwaysScanAllFiles1", "&Always Scan All Files", QKeySequence(), -1,
          Handler(this, &TMain::AlwaysScanAllFiles1Click), true},
         {"IncludeCursors1", "Include &Cursors", QKeySequence(), -1,
          Handler(this, &TMain::IncludeCursors1Click), true},
         {"HideDuplicateImages1", "&Hide Duplicate Images", QKeySequence(), -1,
          Handler(this, &TMain::HideDuplicateImages1Click), true},
         {"HashIconsLikeCAPE1", "Hash Icons Li&ke CAPE", QKeySequence(), -1,
          Handler(this, &TMain::HashIconsLikeCape1Click), true},
         {"ShowLabels1", "Show La&bels", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L), -1,
          Handler(this, &TMain::ShowLabels1Click), true},
         kSeparator,
         {"ZoomIn1", "Zoom &In", QKeySequence(Qt::CTRL | Qt::Key_Plus), -1,
          Handler(this, &TMain::ZoomIn1Click), false, QKeySequence(Qt::CTRL | Qt::Key_Equal)},
         {"ZoomOut1", "Zoom &Out", QKeySequence(Qt::CTRL | Qt::Key_Minus), -1,
          Handler(this, &TMain::ZoomOut1Click)},
         {"ActualSize1", "Act&ual Size", QKeySequence(Qt::CTRL | Qt::Key_0), -1,
          Handler(this, &TMain::ActualSize1Click), true},
         {"FittoStrip1", "Fit to St&rip", QKeySequence(), -1,
          Handler(this, &TMain::FittoStrip1Click), true},
         kSeparator,
         {"LargeIcons1", "Lar&ge Icons", QKeySequence(), -1, view(btnLargeIcons), true},
         {"SmallIcons1", "S&mall Icons", QKeySequence(), -1, view(btnSmallIcons), true},
         {"List1", "&List", QKeySequence(), -1, view(btnList), true},
         {"Details1", "&Details", QKeySequence(), -1, view(btnDetails), true}},
        this);
    connect(View1, &QMenu::aboutToShow, this, [this] { Run(&TMain::View1Popup); });
    return View1;
}

QMenu* TMain::CreateHelpMenu() {
    QMenu* help = NamedMenu("Help1", "&Help", MainMenu1);
    AddItems(help,
             {{"ContentsandIndex1", "&Contents and Index...", QKeySequence(Qt::Key_F1), -1,
               Handler(this, &TMain::ContentsandIndex1Click)}},
             this);
    QMenu* web = NamedMenu("WebHelp1", "Web Help", help);
    AddItems(web,
             {{"UpdatesTechnicalSupport1", "Updates && Technical Support", QKeySequence(), -1,
               Handler(this, &TMain::UpdatesTechnicalSupport1Click)},
              {"MarrowbyHomePage1", "Marrowby Home Page", QKeySequence(), -1,
               Handler(this, &TMain::MarrowbyHomePage1Click)},
              {"TallowmereIncWebSite1", "Tallowmere, Inc. Web Site", QKeySequence(), -1,
               Handler(this, &TMain::TallowmereWebSite1Click)}},
             this);
    help->addMenu(web);
    AddItems(help,
             {kSeparator,
              {"AboutMarrowby1", "&About Marrowby...", QKeySequence(), -1,
               Handler(this, &TMain::AboutMarrowby1Click)}},
             this);
    return help;
}

// The grid's pop-up menu; its items carry no shortcuts.
void TMain::CreateViewerPopupMenu() {
    ViewerPopupMenu = NamedMenu("ViewerPopupMenu", "", this);
    AddItems(ViewerPopupMenu,
             {{"popIconProperties", "Icon &Properties...", QKeySequence(), 3,
               Handler(this, &TMain::btnInfoClick)},
              kSeparator,
              {"popSaveAs", "&Save As...", QKeySequence(), 0, Handler(this, &TMain::btnSaveClick)},
              {"popCopytoClipboard", "&Copy to Clipboard", QKeySequence(), 1,
               Handler(this, &TMain::btnCopyClick)},
              {"popBackgroundColorforCopying", "&Background Color for Copying...", QKeySequence(),
               2, Handler(this, &TMain::btnCopyBackgroundColorClick)},
              {"popExportSelected", "&Export Selected...", QKeySequence(), -1,
               Handler(this, &TMain::Export1Click)},
              {"popInstallasDesktopIcon", "&Install as Desktop Icon...", QKeySequence(), -1,
               Handler(this, &TMain::InstallasDesktopIcon1Click)},
              kSeparator,
              {"popSelectAll", "Select &All", QKeySequence(), -1,
               Handler(this, &TMain::SelectAll1Click)}},
             this);
    AddItems(ViewerPopupMenu,
             {{"popFindSimilarIcons", "Find Si&milar Icons", QKeySequence(), -1,
               Handler(this, &TMain::FindSimilarIcons1Click)}},
             this);
}
