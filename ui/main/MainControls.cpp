// The main window's controls: panels, splitters, toolbars, the status bar and the hidden
// settings holders, at their designed positions and sizes.
#include <QButtonGroup>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>

#include "toolkit/ShellFileList.h"
#include "toolkit/ShellFolderTree.h"
#include "ui/export/ExportSettings.h"
#include "ui/main/FileIconReader.h"
#include "ui/main/StatusPanels.h"
#include "ui/main/frmMain.h"
#include "ui/viewer/ViewerGrid.h"
#include "ui/widgets/AnchorPanel.h"
#include "ui/widgets/DesignedLayout.h"
#include "ui/widgets/Glyphs.h"
#include "ui/widgets/SplitterShare.h"

namespace {

constexpr int kFoldersWidth = 185;
constexpr int kSplitterWidth = 5;
constexpr int kFilesToolbarHeight = 23;
constexpr int kViewerToolbarHeight = 25;
constexpr int kContainViewerHeight = 120;
constexpr QSize kButtonSize(23, 21);
constexpr QSize kFilterGlyphSize(17, 13);
constexpr int kReadDelay = 100;
constexpr int kStatusPanels = 4;
constexpr int kStatusPanelWidth = 50;
// Lines of the file list (its header included) that the file side keeps while the window
// has room for both sides.
constexpr int kLeastFileLines = 3;

// Designed sizes of the panels whose children are anchored.
constexpr QSize kFilesToolbarDesign(493, kFilesToolbarHeight);
constexpr QSize kContainViewerDesign(683, kContainViewerHeight);
constexpr int kProgressPanelLeft = 8;
constexpr int kProgressBarLeft = 16;
constexpr int kProgressBarHeight = 14;

const char* const kFileTypes[] = {
    "All files (*.*)",
    "All files containing icons. "
    "(*.ico;*.dll;*.ocx;*.icl;*.exe;*.cpl;*.bpl;*.scr;*.vbx;*.drv;*.mun;*.cur;*.ani)",
    "Icon files (*.ico)",
    "Icon library files (*.icl)",
    "Cursor files (*.cur)",
    "Animated cursor files (*.ani)",
    "Application extension files (*.dll)",
    "Application files (*.exe)",
    "ActiveX files (*.ocx)",
    "Control panel files (*.cpl)",
    "Delphi library files (*.bpl)",
    "Screen saver files (*.scr)",
    "VBX files (*.vbx)",
    "DRV files (*.drv)",
};

QWidget* Panel(const char* name, QWidget* parent = nullptr) {
    return Named(new QWidget(parent), name);
}

// A 2-pixel vertical rule between tool buttons.
QFrame* Rule(const char* name, QWidget* parent) {
    auto* rule = Named(new QFrame(parent), name);
    rule->setFrameStyle(QFrame::VLine | QFrame::Sunken);
    rule->setLineWidth(1);
    return rule;
}

QVBoxLayout* Stack(QWidget* panel) {
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    return layout;
}

QSplitter* Splitter(const char* name, Qt::Orientation orientation) {
    auto* splitter = Named(new QSplitter(orientation), name);
    splitter->setHandleWidth(kSplitterWidth);
    splitter->setChildrenCollapsible(false);
    splitter->setOpaqueResize(true);
    return splitter;
}

}  // namespace

void TMain::CreateControls() {
    CreateFilterGlyphs();
    pnlOverall = Panel("pnlOverall");
    Splitter1 = Splitter("Splitter1", Qt::Vertical);
    Splitter1->addWidget(CreateExplorer());
    Splitter1->addWidget(CreateViewerArea());
    // The window's size is the user's alone: no pane holds it open. The viewer area keeps its
    // share of the height as the window changes size; made too short for both sides, the window
    // takes the height from the file side first, so the viewer keeps its tool bar and cells.
    for (QWidget* pane : {pnlExplorer, pnlFolders, pnlFiles}) pane->setMinimumSize(1, 1);
    ViewerShare = new TSplitterShare(
        *Splitter1, [this] { return NormalOverallHeight(); },
        [this] { return ExplorerLeastHeight(); }, [this] { return ViewerLeastHeight(); });
    Stack(pnlOverall)->addWidget(Splitter1);
    setCentralWidget(pnlOverall);
    StatusBar = Named(new TStatusPanels(kStatusPanels, kStatusPanelWidth, this), "StatusBar");
    setStatusBar(StatusBar);
    CreateSimilarDistanceBox();
    CreateSettingsHolders();
    SetFoldersWidth(kFoldersWidth);
    SetContainViewerHeight(kContainViewerHeight);
}

QWidget* TMain::CreateExplorer() {
    pnlExplorer = Panel("pnlExplorer");
    Bevel3 = Named(new QFrame(pnlExplorer), "Bevel3");
    Bevel3->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    Bevel3->setFixedHeight(kSplitterWidth);
    Splitter2 = Splitter("Splitter2", Qt::Horizontal);
    QWidget* files = CreateFilesPane();
    Splitter2->addWidget(CreateFoldersPane());
    Splitter2->addWidget(files);
    Splitter2->setStretchFactor(0, 0);
    Splitter2->setStretchFactor(1, 1);
    QVBoxLayout* layout = Stack(pnlExplorer);
    layout->addWidget(Bevel3);
    layout->addWidget(Splitter2);
    return pnlExplorer;
}

QWidget* TMain::CreateFoldersPane() {
    pnlFolders = Panel("pnlFolders");
    pnlFoldersToolbar = Panel("pnlFoldersToolbar", pnlFolders);
    pnlFoldersToolbar->setFixedHeight(kFilesToolbarHeight);
    lbxFilters = Named(new QComboBox(pnlFoldersToolbar), "lbxFilters");
    for (const char* entry : kFileTypes) lbxFilters->addItem(QString::fromLatin1(entry));
    lbxFilters->setMinimumContentsLength(1);
    lbxFilters->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    lbxFilters->view()->setMinimumWidth(lbxFilters->view()->sizeHintForColumn(0));
    auto* strip = new QHBoxLayout(pnlFoldersToolbar);
    strip->setContentsMargins(0, 0, 0, 0);
    strip->addWidget(lbxFilters);
    lbxFolders = Named(new TShellFolderTree(pnlFolders), "lbxFolders");
    lbxFolders->SetReadDelay(kReadDelay);
    lbxFolders->SetListView(lbxFiles);
    QVBoxLayout* layout = Stack(pnlFolders);
    layout->addWidget(pnlFoldersToolbar);
    layout->addWidget(lbxFolders);
    return pnlFolders;
}

QWidget* TMain::CreateFilesPane() {
    pnlFiles = Panel("pnlFiles");
    pnlFilesToolbar = Named(new TAnchorPanel(kFilesToolbarDesign, pnlFiles), "pnlFilesToolbar");
    pnlFilesToolbar->setFixedHeight(kFilesToolbarHeight);
    CreateFilesToolbar();
    lbxFiles = Named(new TShellFileList(pnlFiles), "lbxFiles");
    lbxFiles->SetFileMask(QStringLiteral("*.*"));
    lbxFiles->SetViewStyle(TViewStyle::Report);
    lbxFiles->SetIconReader(ReadOwnFileIcon);
    QVBoxLayout* layout = Stack(pnlFiles);
    layout->addWidget(pnlFilesToolbar);
    layout->addWidget(lbxFiles);
    return pnlFiles;
}

// Laid out from the strip's right edge leftwards; everything keeps its distance to the right
// edge, and the path label stretches with the strip.
void TMain::CreateFilesToolbar() {
    const int top = (kFilesToolbarHeight - kButtonSize.height()) / 2;
    int right = kFilesToolbarDesign.width() - 3;
    auto placeRight = [&](QWidget* control, int width, int gap) {
        right -= gap;
        pnlFilesToolbar->Anchor(control, QRect(right - width, top, width, kButtonSize.height()),
                                akTop | akRight);
        right -= width;
    };
    btnDetails = ToolButton("btnDetails", GlyphIcon(TGlyph::Details), "Details view.");
    btnList = ToolButton("btnList", GlyphIcon(TGlyph::List), "List view.");
    btnSmallIcons = ToolButton("btnSmallIcons", GlyphIcon(TGlyph::SmallIcons), "Small icon view.");
    btnLargeIcons = ToolButton("btnLargeIcons", GlyphIcon(TGlyph::LargeIcons), "Larg icon view.");
    btnScanAllFiles =
        ToolButton("btnScanAllFiles", GlyphIcon(TGlyph::AlwaysScan), "Always scan all files.");
    btnScanNow = ToolButton("btnScanNow", Images.at(5), "Scan all files in this directory now.");
    btnScanDirectories =
        ToolButton("btnScanDirectories", Images.at(6), "Scan all subdirectories now.");
    Bevel1 = Rule("Bevel1", pnlFilesToolbar);
    Bevel2 = Rule("Bevel2", pnlFilesToolbar);
    for (QToolButton* view : {btnDetails, btnList, btnSmallIcons, btnLargeIcons}) {
        placeRight(view, kButtonSize.width(), 0);
    }
    placeRight(Bevel1, 2, 2);
    placeRight(btnScanAllFiles, kButtonSize.width(), 2);
    placeRight(Bevel2, 2, 2);
    placeRight(btnScanNow, kButtonSize.width(), 2);
    placeRight(btnScanDirectories, kButtonSize.width(), 0);
    Bevel4 = Named(new QFrame(pnlFilesToolbar), "Bevel4");
    Bevel4->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    lblCurrentPath = Named(new QLabel(pnlFilesToolbar), "lblCurrentPath");
    lblCurrentPath->setTextFormat(Qt::PlainText);
    const int pathRight = right - 3;
    pnlFilesToolbar->Anchor(Bevel4, QRect(0, top, pathRight, kButtonSize.height()),
                            akLeft | akTop | akRight);
    pnlFilesToolbar->Anchor(lblCurrentPath, QRect(4, top, pathRight - 4, kButtonSize.height()),
                            akLeft | akTop | akRight);
    Bevel4->lower();
    ViewButtons = new QButtonGroup(this);
    ViewButtons->setExclusive(true);
    for (QToolButton* view : {btnLargeIcons, btnSmallIcons, btnList, btnDetails}) {
        view->setCheckable(true);
        ViewButtons->addButton(view);
    }
    btnDetails->setChecked(true);
    btnScanAllFiles->setCheckable(true);
}

TAnchorPanel* TMain::CreateViewerArea() {
    pnlContainViewer = Named(new TAnchorPanel(kContainViewerDesign), "pnlContainViewer");
    pnlContainViewer->setMinimumHeight(1);
    pnlViewer = Panel("pnlViewer");
    lbxViewer = Named(new TViewerGrid(pnlViewer), "lbxViewer");
    lbxViewer->setEnabled(false);
    QVBoxLayout* layout = Stack(pnlViewer);
    layout->addWidget(CreateViewerToolbar());
    layout->addWidget(lbxViewer);
    pnlContainViewer->Anchor(pnlViewer, QRect(QPoint(0, 0), kContainViewerDesign), akAll);

    const int left = kProgressPanelLeft;
    const QSize progressSize = kContainViewerDesign - QSize(2 * left, 2 * left);
    pnlProgress = Named(new TAnchorPanel(progressSize), "pnlProgress");
    ProgressBar = Named(new QProgressBar, "ProgressBar");
    ProgressBar->setRange(0, 100);
    ProgressBar->setTextVisible(false);
    pnlProgress->Anchor(
        ProgressBar,
        QRect(kProgressBarLeft, 0, progressSize.width() - 2 * kProgressBarLeft, kProgressBarHeight),
        akLeft | akTop | akRight);
    connect(pnlProgress, &TAnchorPanel::Resized, this, &TMain::pnlProgressResize);
    pnlContainViewer->Anchor(pnlProgress, QRect(QPoint(left, left), progressSize), akAll);
    pnlProgressResize();
    pnlProgress->hide();
    return pnlContainViewer;
}

QWidget* TMain::CreateViewerToolbar() {
    pnlViewerToolbar = Panel("pnlViewerToolbar");
    pnlViewerToolbar->setFixedHeight(kViewerToolbarHeight);
    const int top = (kViewerToolbarHeight - kButtonSize.height()) / 2;
    btnSave = ToolButton("btnSave", Images.at(0), "Save icon.");
    btnCopy = ToolButton("btnCopy", Images.at(1), "Copy icon.");
    btnCopyBackgroundColor =
        ToolButton("btnCopyBackgroundColor", Images.at(2), "Set background color for copying.");
    btnInfo = ToolButton("btnInfo", Images.at(3), "Icon properties.");
    btnFilter =
        ToolButton("btnFilter", QIcon(Image2->pixmap()), "Filter what icons are displayed.");
    btnFilter->setIconSize(kFilterGlyphSize);
    const std::pair<QToolButton*, int> buttons[] = {
        {btnSave, 2}, {btnCopy, 33}, {btnCopyBackgroundColor, 56}, {btnInfo, 87}, {btnFilter, 118}};
    for (auto [button, x] : buttons) {
        button->setParent(pnlViewerToolbar);
        button->move(x, top);
    }
    const std::pair<const char*, int> rules[] = {{"Bevel5", 28}, {"Bevel6", 82}, {"Bevel7", 113}};
    for (auto [name, x] : rules) {
        Rule(name, pnlViewerToolbar)->setGeometry(x, top, 2, kButtonSize.height());
    }
    return pnlViewerToolbar;
}

// A hidden panel of labels whose colour and captions hold the copy and export preferences,
// and the two hidden pictures the filter button takes its glyph from.
void TMain::CreateSettingsHolders() {
    Panel1 = Panel("Panel1", this);
    Panel1->hide();
    auto holder = [this](const char* name, const QString& caption) {
        auto* label = Named(new QLabel(caption, Panel1), name);
        label->setTextFormat(Qt::PlainText);
        return label;
    };
    CopyBackground = holder("CopyBackground", QString());
    CopyBackground->setAutoFillBackground(true);
    SetCopyBackgroundColor(Qt::white);
    for (const TExportKey& key : ExportKeys()) this->*key.Holder = holder(key.Name, key.Default);
}

void TMain::CreateFilterGlyphs() {
    Image1 = Named(new QLabel(this), "Image1");
    Image1->setPixmap(GlyphPixmap(TGlyph::Filtered));
    Image2 = Named(new QLabel(this), "Image2");
    Image2->setPixmap(GlyphPixmap(TGlyph::Unfiltered));
    for (QLabel* image : {Image1, Image2}) {
        image->setFixedSize(kFilterGlyphSize);
        image->hide();
    }
}

QToolButton* TMain::ToolButton(const char* name, const QIcon& glyph, const QString& hint) {
    auto* button = Named(new QToolButton(this), name);
    button->setAutoRaise(true);
    button->setFixedSize(kButtonSize);
    button->setIcon(glyph);
    button->setIconSize(QSize(16, 16));
    button->setToolTip(hint);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

int TMain::ExplorerLeastHeight() const {
    return Bevel3->height() + kFilesToolbarHeight + kLeastFileLines * fontMetrics().lineSpacing();
}

// Keeps the progress bar vertically centred in its panel.
void TMain::pnlProgressResize() {
    ProgressBar->move(ProgressBar->x(), (pnlProgress->height() - ProgressBar->height()) / 2);
}
