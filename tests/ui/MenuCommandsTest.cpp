#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTimer>
#include <QToolButton>

#include "MainFixture.h"
#include "ui/dialogs/frmFilterIcons.h"
#include "ui/widgets/Glyphs.h"

namespace {

// A menu as text: captions with their shortcuts, "-" for a separator, "+" before an item with
// a glyph, "> " before a submenu.
QStringList Layout(const QMenu* menu) {
    QStringList items;
    for (const QAction* action : menu->actions()) {
        if (action->isSeparator()) {
            items << QStringLiteral("-");
            continue;
        }
        QString item = action->menu() ? QStringLiteral("> ") + action->text() : action->text();
        if (!action->icon().isNull()) item.prepend(QLatin1Char('+'));
        if (!action->shortcut().isEmpty())
            item += QLatin1Char('\t') + action->shortcut().toString();
        items << item;
    }
    return items;
}

QMenu* Menu(const TMain& main, const char* name) {
    return main.MainMenu1->findChild<QMenu*>(QString::fromLatin1(name));
}

QAction* Item(const TMain& main, const char* name) {
    return main.findChild<QAction*>(QString::fromLatin1(name));
}

// The View menu's ticked items, as its opening leaves them.
QStringList Ticked(TMain& main) {
    emit main.View1->aboutToShow();
    QStringList ticked;
    for (const QAction* action : main.View1->actions()) {
        if (action->isChecked()) ticked << action->objectName();
    }
    return ticked;
}

}  // namespace

TEST_F(MainFixture, MenusHoldEveryCommandInOrderWithShortcutsAndGlyphs) {
    QStringList titles;
    for (const QAction* action : main->MainMenu1->actions()) titles << action->text();
    EXPECT_EQ(titles, QStringList({"&File", "&View", "&Help"}));
    EXPECT_EQ(Layout(Menu(*main, "File1")),
              QStringList({"&Open...\tCtrl+O", "> &Recent Files", "-", "+&Save As...\tCtrl+S",
                           "+&Copy to Clipboard\tCtrl+C",
                           "+&Background Color for Copying...\tCtrl+B", "&Export...\tCtrl+E",
                           "&Install as Desktop Icon...", "-", "+Icon &Properties...\tAlt+Return",
                           "-", "+E&xit"}));
    EXPECT_EQ(Layout(main->View1),
              QStringList({"Fil&ter Icons...\tCtrl+T", "-",
                           "+Scan All &Subdirectories Now\tCtrl+D",
                           "+Scan All &Files In Directory Now\tCtrl+F", "&Always Scan All Files",
                           "Include &Cursors", "&Hide Duplicate Images", "Hash Icons Li&ke CAPE",
                           "Show La&bels\tCtrl+Shift+L", "-", "Zoom &In\tCtrl++",
                           "Zoom &Out\tCtrl+-", "Act&ual Size\tCtrl+0", "Fit to St&rip", "-",
                           "Lar&ge Icons", "S&mall Icons", "&List", "&Details"}));
    EXPECT_EQ(Layout(Menu(*main, "Help1")),
              QStringList({"&Contents and Index...\tF1", "> Web Help", "-", "&About Marrowby..."}));
    EXPECT_EQ(Layout(Menu(*main, "WebHelp1")),
              QStringList({"Updates && Technical Support", "Marrowby Home Page",
                           "Tallowmere, Inc. Web Site"}));
    EXPECT_EQ(Layout(main->ViewerPopupMenu),
              QStringList({"+Icon &Properties...", "-", "+&Save As...", "+&Copy to Clipboard",
                           "+&Background Color for Copying...", "&Export Selected...",
                           "&Install as Desktop Icon...", "-", "Select &All", "Find Si&milar Icons"}));

    // Menu glyphs are the image list's pictures at their indices.
    ASSERT_EQ(main->Images.size(), 7);
    const std::pair<const char*, int> glyphs[] = {{"SaveAs1", 0},
                                                  {"CopytoClipboard1", 1},
                                                  {"BackgroundColorforCopying1", 2},
                                                  {"IconProperties1", 3},
                                                  {"Exit1", 4},
                                                  {"ScanAllFilesInDirectoryNow1", 5},
                                                  {"ScanAllSubdirectoriesNow1", 6},
                                                  {"popIconProperties", 3}};
    for (auto [name, index] : glyphs) {
        EXPECT_EQ(Item(*main, name)->icon().pixmap(16, 16).toImage(),
                  main->Images.at(index).pixmap(16, 16).toImage())
            << name;
    }
}

TEST_F(MainFixture, ToolButtonsAreFlatWithTheirHintsAndTheViewButtonsFormOneGroup) {
    const std::pair<QToolButton*, const char*> hints[] = {
        {main->btnSave, "Save icon."},
        {main->btnCopy, "Copy icon."},
        {main->btnCopyBackgroundColor, "Set background color for copying."},
        {main->btnInfo, "Icon properties."},
        {main->btnFilter, "Filter what icons are displayed."},
        {main->btnScanDirectories, "Scan all subdirectories now."},
        {main->btnScanNow, "Scan all files in this directory now."},
        {main->btnScanAllFiles, "Always scan all files."},
        {main->btnLargeIcons, "Larg icon view."},
        {main->btnSmallIcons, "Small icon view."},
        {main->btnList, "List view."},
        {main->btnDetails, "Details view."},
    };
    for (auto [button, hint] : hints) {
        EXPECT_EQ(button->toolTip(), QString::fromLatin1(hint)) << hint;
        EXPECT_EQ(button->size(), QSize(23, 21)) << hint;
        EXPECT_TRUE(button->autoRaise()) << hint;
        EXPECT_FALSE(button->icon().isNull()) << hint;
    }
    EXPECT_EQ(main->findChild<QToolButton*>(QStringLiteral("btnScanNow")), main->btnScanNow);
    const std::pair<QToolButton*, int> lefts[] = {{main->btnSave, 2},
                                                  {main->btnCopy, 33},
                                                  {main->btnCopyBackgroundColor, 56},
                                                  {main->btnInfo, 87},
                                                  {main->btnFilter, 118}};
    for (auto [button, x] : lefts) EXPECT_EQ(button->x(), x) << button->objectName().toStdString();

    EXPECT_TRUE(main->btnDetails->isChecked());
    EXPECT_FALSE(main->btnScanAllFiles->isChecked());
    main->btnList->click();
    EXPECT_TRUE(main->btnList->isChecked());
    EXPECT_FALSE(main->btnDetails->isChecked());
    EXPECT_EQ(main->lbxFiles->ViewStyle(), TViewStyle::List);
    main->btnList->click();
    EXPECT_TRUE(main->btnList->isChecked());
    EXPECT_FALSE(main->btnSave->isCheckable());
}

TEST_F(MainFixture, TheViewMenuTicksFollowTheButtonsAfterEveryViewChoice) {
    EXPECT_EQ(Ticked(*main), QStringList({"ShowLabels1", "FittoStrip1", "Details1"}));
    const std::tuple<const char*, QToolButton*, TViewStyle> choices[] = {
        {"List1", main->btnList, TViewStyle::List},
        {"LargeIcons1", main->btnLargeIcons, TViewStyle::Icon},
        {"SmallIcons1", main->btnSmallIcons, TViewStyle::SmallIcon},
        {"Details1", main->btnDetails, TViewStyle::Report},
    };
    for (auto [name, button, style] : choices) {
        Item(*main, name)->trigger();
        EXPECT_TRUE(button->isChecked()) << name;
        EXPECT_EQ(main->lbxFiles->ViewStyle(), style) << name;
        EXPECT_EQ(Ticked(*main),
                  QStringList({"ShowLabels1", "FittoStrip1", QString::fromLatin1(name)}));
    }

    Item(*main, "AlwaysScanAllFiles1")->trigger();
    EXPECT_TRUE(main->btnScanAllFiles->isChecked());
    EXPECT_EQ(Ticked(*main),
              QStringList({"AlwaysScanAllFiles1", "ShowLabels1", "FittoStrip1", "Details1"}));
    main->btnScanAllFiles->click();
    EXPECT_EQ(Ticked(*main), QStringList({"ShowLabels1", "FittoStrip1", "Details1"}));

    EXPECT_FALSE(main->IncludeCursors);
    Item(*main, "IncludeCursors1")->trigger();
    EXPECT_TRUE(main->IncludeCursors);
    EXPECT_EQ(Ticked(*main),
              QStringList({"IncludeCursors1", "ShowLabels1", "FittoStrip1", "Details1"}));
    Item(*main, "IncludeCursors1")->trigger();
    EXPECT_EQ(Ticked(*main), QStringList({"ShowLabels1", "FittoStrip1", "Details1"}));

    // Zoom steps tick neither Actual Size nor Fit to Strip.
    Item(*main, "ActualSize1")->trigger();
    EXPECT_EQ(Ticked(*main), QStringList({"ShowLabels1", "ActualSize1", "Details1"}));
    Item(*main, "ZoomIn1")->trigger();
    EXPECT_EQ(Ticked(*main), QStringList({"ShowLabels1", "Details1"}));
    Item(*main, "FittoStrip1")->trigger();
    EXPECT_EQ(Ticked(*main), QStringList({"ShowLabels1", "FittoStrip1", "Details1"}));
}

TEST_F(MainFixture, ShortcutsReachTheirCommands) {
    main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));

    bool filterShown = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<TFilterIcons*>(QApplication::activeModalWidget());
        filterShown = dialog != nullptr;
        if (dialog) dialog->reject();
    });
    QTest::keyClick(main.get(), Qt::Key_T, Qt::ControlModifier);
    EXPECT_TRUE(filterShown);

    // The dialog has handed the activation back.
    main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    // Without a shown folder the folder-tree scan lists nothing and opens no dialog, so the
    // window keeps the activation (and the home folder is not scanned).
    main->CurrentFolder.clear();
    QSignalSpy scanTree(Item(*main, "ScanAllSubdirectoriesNow1"), &QAction::triggered);
    QTest::keyClick(main.get(), Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(scanTree.count(), 1);

    // Properties on an empty grid: the command tells why it cannot act.
    QTest::keyClick(main.get(), Qt::Key_Return, Qt::AltModifier);
    ASSERT_FALSE(prompter.shown.empty());
    EXPECT_EQ(prompter.shown.back().text,
              QStringLiteral("Select a file that contains icons then try again."));

    RunToEnd();
    Item(*main, "Exit1")->trigger();
    EXPECT_FALSE(main->isVisible());
}

TEST(Glyphs, EveryGlyphIsAPictureOfItsDesignedSize) {
    for (int i = 0; i <= static_cast<int>(TGlyph::Unfiltered); ++i) {
        const auto glyph = static_cast<TGlyph>(i);
        const QImage image = GlyphPixmap(glyph).toImage();
        const bool filter = glyph == TGlyph::Filtered || glyph == TGlyph::Unfiltered;
        EXPECT_EQ(image.size(), filter ? QSize(17, 13) : QSize(16, 16)) << i;
        int opaque = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) opaque += qAlpha(image.pixel(x, y)) == 255;
        }
        EXPECT_GT(opaque, 20) << i;
        EXPECT_LT(opaque, image.width() * image.height()) << i;
    }
}
