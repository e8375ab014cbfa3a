#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>
#include <QWheelEvent>

#include "GroupBuilder.h"
#include "MainFixture.h"
#include "PeBuilder.h"
#include "PngStreamBuilder.h"
#include "ui/dialogs/frmFilterIcons.h"
#include "ui/viewer/CellLabel.h"

namespace {

const QString kNoFile = QStringLiteral("Select a file that contains icons then try again.");
const QString kNoCaret = QStringLiteral("Select one of the icons below and then try again.");

// An item drawn on its own: the grid's background, then the cell picture 4 pixels in.
QImage DrawnItem(TMain& main, int index, bool selected) {
    const QSize size = main.lbxViewer->ItemSize();
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QPainter painter(&image);
    main.lbxViewerDrawItem(painter, index, QRect(QPoint(0, 0), size), selected);
    return image;
}

void SendMouse(QWidget* target, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons buttons,
               const QPoint& pos, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QMouseEvent event(type, QPointF(pos), target->mapToGlobal(QPointF(pos)), button, buttons,
                      modifiers);
    QCoreApplication::sendEvent(target, &event);
}

void LeftClick(TViewerGrid& grid, int index, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    const QPoint at = grid.ItemRect(index).center();
    SendMouse(grid.viewport(), QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, at,
              modifiers);
    SendMouse(grid.viewport(), QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, at,
              modifiers);
}

QImage Picture(const QIcon& icon) {
    return icon.pixmap(17, 13).toImage().convertToFormat(QImage::Format_ARGB32);
}

QImage Picture(const QLabel* label) {
    return label->pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
}

// Answers the filter dialog once it is up: boxes to tick or untick by name, then OK.
void AnswerFilter(const std::vector<const char*>& flips, bool filtered) {
    QTimer::singleShot(0, [flips, filtered] {
        auto* dialog = qobject_cast<TFilterIcons*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        (filtered ? dialog->chkFilter : dialog->chkShowAll)->click();
        for (const char* name : flips) {
            dialog->findChild<QAbstractButton*>(QString::fromLatin1(name))->click();
        }
        dialog->btnOK->click();
    });
}

// The strip made tall enough for large cells.
void TallStrip(TMain& main) {
    main.resize(1400, 1000);
    main.SetContainViewerHeight(600);
    QCoreApplication::processEvents();
    main.ResizeViewer();
}

}  // namespace

TEST_F(MainFixture, CellsTakeTheLargestImageAndCentreTheSmallerOnes) {
    Write("v/mix.ico", IconOfSizes({{16, 24}, {32, 24}, {48, 24}}, 0x40));
    Browse("v");
    Choose(QStringLiteral("mix.ico"));
    main->ShowLabels1Click();
    main->ActualSize1Click();
    ASSERT_EQ(main->lbxViewer->Count(), 3);
    EXPECT_EQ(main->CellWidth, 48);
    EXPECT_EQ(main->CellHeight, 48);
    EXPECT_EQ(main->lbxViewer->ItemHeight(), 56);
    EXPECT_EQ(main->CellBitmap->Width(), 48);
    EXPECT_EQ(main->CellBitmap->Height(), 48);

    // The 16 x 16 image lies at 16, 16 of the cell picture, over the window colour.
    const QColor window = main->lbxViewer->palette().color(QPalette::Active, QPalette::Base);
    const QColor highlight =
        main->lbxViewer->palette().color(QPalette::Active, QPalette::Highlight);
    QImage item = DrawnItem(*main, 0, false);
    EXPECT_EQ(item.pixelColor(4 + 16, 4 + 16), QColor(0x40, 0x40, 0x40));
    EXPECT_EQ(item.pixelColor(4 + 31, 4 + 31), QColor(0x40, 0x40, 0x40));
    EXPECT_EQ(item.pixelColor(4 + 15, 4 + 15), window);
    EXPECT_EQ(item.pixelColor(4 + 32, 4 + 16), window);
    EXPECT_EQ(item.pixelColor(0, 0), window);
    item = DrawnItem(*main, 0, true);
    EXPECT_EQ(item.pixelColor(4 + 15, 4 + 15), highlight);
    EXPECT_EQ(item.pixelColor(1, 1), highlight);

    // Largest image 20 x 14: at Actual Size the cell is 20 x 16 and the image drawn at 0, 1.
    Write("v/wide.ico", BuildIco({EntryFor({20, 14, 24, 0x80, 0x00})}));
    Choose(QStringLiteral("wide.ico"));
    main->ActualSize1Click();
    EXPECT_EQ(main->CellWidth, 20);
    EXPECT_EQ(main->CellHeight, 16);
    const QColor grey(0x80, 0x80, 0x80);
    item = DrawnItem(*main, 0, false);
    EXPECT_EQ(item.pixelColor(4, 4), window);
    EXPECT_EQ(item.pixelColor(4, 5), grey);
    EXPECT_EQ(item.pixelColor(4 + 19, 4 + 14), grey);
    EXPECT_EQ(item.pixelColor(4 + 19, 4 + 15), window);

    // Fitted to the strip the cell is at least as large as the image, which keeps its size.
    main->FittoStrip1Click();
    const int side = main->ShownCell.width();
    EXPECT_GE(side, 20);
    item = DrawnItem(*main, 0, false);
    const QPoint corner(4 + (side - 20) / 2, 4 + (side - 14) / 2);
    EXPECT_EQ(item.pixelColor(corner), grey);
    EXPECT_EQ(item.pixelColor(corner + QPoint(19, 13)), grey);
    EXPECT_EQ(item.pixelColor(corner + QPoint(20, 13)), window);
    EXPECT_EQ(item.pixelColor(corner + QPoint(19, 14)), window);
}

// At the first-run size a file of 256-pixel images gets cells that fit the strip: the largest
// image fills its cell, scaled down, the smaller ones keep their size. Actual Size shows the
// largest image whole, in a cell taller than the strip.
TEST_F(MainFixture, FitToStripShowsTheFirstRowWholeAndActualSizeTheLargestImage) {
    Write("z/big.ico", IconOfSizes({{256, 24}, {48, 24}, {32, 24}, {16, 24}}, 0x40));
    Browse("z");
    Choose(QStringLiteral("big.ico"));
    Settle();
    TViewerGrid& grid = *main->lbxViewer;
    EXPECT_EQ(main->ViewerZoom, TViewerZoom::Fit());
    EXPECT_EQ(main->CellWidth, 256);
    const QRect viewport = grid.viewport()->rect();
    EXPECT_TRUE(viewport.contains(grid.ItemRect(0))) << grid.ItemRect(0).height();
    EXPECT_TRUE(viewport.contains(grid.ItemRect(1)));
    const int side = main->ShownCell.height();
    EXPECT_EQ(main->ShownCell.width(), side);
    EXPECT_GE(side, 48);
    EXPECT_LT(side, 256);
    EXPECT_EQ(main->CellBitmap->Height(), side);

    const QColor grey(0x40, 0x40, 0x40);
    const QColor window = grid.palette().color(QPalette::Active, QPalette::Base);
    QImage item = DrawnItem(*main, 0, false);
    EXPECT_EQ(item.pixelColor(4, 4), grey);
    EXPECT_EQ(item.pixelColor(4 + side - 1, 4 + side - 1), grey);
    EXPECT_EQ(item.pixelColor(4 + side, 4 + side), window);
    item = DrawnItem(*main, 3, false);
    EXPECT_EQ(item.pixelColor(4 + side / 2, 4 + side / 2), grey);
    EXPECT_EQ(item.pixelColor(4 + side / 2 - 9, 4 + side / 2), window);
    EXPECT_EQ(item.pixelColor(4 + side / 2 + 8, 4 + side / 2), window);

    main->View1->findChild<QAction*>(QStringLiteral("ActualSize1"))->trigger();
    Settle();
    EXPECT_EQ(main->ShownCell, QSize(256, 256));
    EXPECT_EQ(main->CellBitmap->Width(), 256);
    EXPECT_GT(grid.ItemRect(0).height(), grid.viewport()->height());
    main->View1->findChild<QAction*>(QStringLiteral("FittoStrip1"))->trigger();
    EXPECT_EQ(main->ShownCell.height(), side);
}

// Zoom In and Out step the cell size from the size shown, by the menu, the keys and Ctrl with
// the wheel, and the caret cell stays in view.
TEST_F(MainFixture, ZoomChangesTheCellsAndKeepsTheCaretCellInView) {
    Write("zz/many.ico", IconOfSizes(std::vector<std::pair<int, int>>(40, {48, 24})));
    Browse("zz");
    Choose(QStringLiteral("many.ico"));
    TallStrip(*main);
    main->ActualSize1Click();
    Settle();
    TViewerGrid& grid = *main->lbxViewer;
    ASSERT_EQ(grid.Count(), 40);
    EXPECT_EQ(main->ShownCell, QSize(48, 48));
    grid.setFocus();
    QTest::keyClick(&grid, Qt::Key_End);
    Settle();
    ASSERT_EQ(grid.CaretIndex(), 39);
    auto caretInView = [&] {
        Settle();
        return grid.viewport()->rect().contains(grid.ItemRect(grid.CaretIndex()).center());
    };
    ASSERT_TRUE(caretInView());

    const int before = grid.ItemHeight();
    main->View1->findChild<QAction*>(QStringLiteral("ZoomIn1"))->trigger();
    EXPECT_EQ(main->ShownCell, QSize(64, 64));
    EXPECT_EQ(main->CellBitmap->Width(), 64);
    EXPECT_GT(grid.ItemHeight(), before);
    EXPECT_EQ(main->ViewerZoom, TViewerZoom::AtStep(64));
    EXPECT_TRUE(caretInView());

    // Each notch of the wheel with Ctrl held is one step; two notches back go to 32.
    const QPointF at = grid.ItemRect(39).center();
    QWheelEvent wheel(at, grid.viewport()->mapToGlobal(at), QPoint(), QPoint(0, -240), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(grid.viewport(), &wheel);
    EXPECT_EQ(main->ShownCell, QSize(32, 32));
    EXPECT_LT(grid.ItemHeight(), before);
    EXPECT_TRUE(caretInView());

    // The keys reach the commands; Zoom Out stops at the smallest step.
    main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    for (int i = 0; i < 3; ++i) QTest::keyClick(main.get(), Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(main->ShownCell, QSize(16, 16));
    QTest::keyClick(main.get(), Qt::Key_Equal, Qt::ControlModifier);
    EXPECT_EQ(main->ShownCell, QSize(24, 24));
    QTest::keyClick(main.get(), Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(main->ViewerZoom, TViewerZoom::Actual());
    EXPECT_EQ(main->ShownCell, QSize(48, 48));
    EXPECT_TRUE(caretInView());
}

// Enter opens the properties of the caret cell, the menu keys its pop-up menu; Ctrl+A selects
// every cell and panel 3 counts them; each cell's tool-tip says what it is.
TEST_F(MainFixture, GridKeysOpenPropertiesAndThePopupAndSelectAll) {
    PeBuilder pe;
    const DibSpec small{16, 16, 4, 0x11, 0x00};
    const DibSpec large{32, 32, 8, 0x22, 0x00};
    pe.Icon(1, MakeDib(small))
        .Icon(2, MakeDib(large))
        .Group({101, std::nullopt},
               BuildIconGroup({GroupEntryFor(small, 1), GroupEntryFor(large, 2)}));
    Write("k/lib.dll", pe.Build());
    Browse("k");
    Choose(QStringLiteral("lib.dll"));
    Settle();
    TViewerGrid& grid = *main->lbxViewer;
    ASSERT_EQ(grid.Count(), 2);
    EXPECT_EQ(grid.model()->data(grid.model()->index(1, 0), Qt::ToolTipRole).toString(),
              QStringLiteral("#101 \u2014 32 x 32, 8 bpp \u2014 lib.dll"));

    grid.setFocus();
    QTest::keyClick(&grid, Qt::Key_End);
    EXPECT_EQ(Panel(2), QStringLiteral(" 32x32 pixels, 8 bpp marrowed from \"lib.dll\" (#101) "));

    bool shown = false;
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        shown = dialog && dialog->inherits("TProperties");
        if (dialog) dialog->close();
    });
    QTest::keyClick(&grid, Qt::Key_Return);
    EXPECT_TRUE(shown);

    for (const auto& [key, modifiers] :
         {std::pair{Qt::Key_F10, Qt::ShiftModifier}, std::pair{Qt::Key_Menu, Qt::NoModifier}}) {
        QTest::keyClick(&grid, key, modifiers);
        EXPECT_TRUE(main->ViewerPopupMenu->isVisible()) << key;
        main->ViewerPopupMenu->hide();
    }
    EXPECT_EQ(grid.CaretIndex(), 1);

    EXPECT_EQ(PanelWidth(3), 50);
    QTest::keyClick(&grid, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(grid.SelCount(), 2);
    EXPECT_EQ(Panel(3), QStringLiteral(" 2 cells selected. "));
    QTest::keyClick(&grid, Qt::Key_Home);
    EXPECT_EQ(grid.SelCount(), 1);
    EXPECT_EQ(Panel(3), QString());
    EXPECT_EQ(PanelWidth(3), 50);
}

TEST_F(MainFixture, TheFilterCommandResizesCellsAndSwapsTheFilterGlyph) {
    Write("f/mix.ico", IconOfSizes({{16, 4}, {32, 4}, {48, 4}, {32, 8}}));
    Browse("f");
    Choose(QStringLiteral("mix.ico"));
    main->ActualSize1Click();
    ASSERT_EQ(main->lbxViewer->Count(), 4);
    const QImage unfiltered = Picture(main->Image2);
    EXPECT_EQ(Picture(main->btnFilter->icon()), unfiltered);

    // Only 32 x 32 and 16 x 16 in 16 colours: 32-pixel cells whatever was loaded.
    AnswerFilter({"chk48x48", "chkOtherSizes", "chk256color"}, true);
    main->btnFilter->click();
    EXPECT_FALSE(main->Filter.ShowAllIcons);
    EXPECT_EQ(main->CellWidth, 32);
    EXPECT_EQ(main->CellHeight, 32);
    EXPECT_EQ(main->CellBitmap->Width(), 32);
    EXPECT_EQ(main->lbxViewer->Count(), 2);
    EXPECT_EQ(Panel(1), QStringLiteral(" 2 of 4 images shown (filtered). "));
    EXPECT_EQ(PanelWidth(2), 0);
    EXPECT_EQ(Picture(main->btnFilter->icon()), Picture(main->Image1));
    EXPECT_NE(Picture(main->Image1), unfiltered);

    // Filtering every image out leaves the loaded icons but a disabled grid.
    AnswerFilter({"chk16color"}, true);
    main->btnFilter->click();
    EXPECT_EQ(main->lbxViewer->Count(), 0);
    EXPECT_EQ(Panel(1), QStringLiteral(" 0 of 4 images shown (filtered). "));
    EXPECT_FALSE(main->lbxViewer->isEnabled());
    EXPECT_EQ(main->LoadedIcons.size(), 1u);

    // Back to all icons: cells as large as the largest loaded image again.
    AnswerFilter({}, false);
    main->btnFilter->click();
    EXPECT_EQ(main->CellWidth, 48);
    EXPECT_EQ(main->CellBitmap->Height(), 48);
    EXPECT_EQ(main->lbxViewer->Count(), 4);
    EXPECT_EQ(Picture(main->btnFilter->icon()), unfiltered);
}

TEST_F(MainFixture, ColumnsSplitTheGridWidthAndItemsRunDownFirst) {
    Write("c/big.ico", IconOfSizes({{48, 4}, {48, 8}, {48, 24}, {48, 32}, {32, 4}}));
    Browse("c");
    Choose(QStringLiteral("big.ico"));
    main->ShowLabels1Click();
    main->ActualSize1Click();
    TViewerGrid& grid = *main->lbxViewer;
    grid.resize(100, 140);
    EXPECT_EQ(grid.Columns(), 1);
    EXPECT_EQ(grid.ColumnWidth(), 98);
    Settle();
    EXPECT_EQ(grid.ItemRect(0).size(), QSize(98, 56));
    EXPECT_EQ(grid.ItemRect(1).topLeft(), grid.ItemRect(0).bottomLeft() + QPoint(0, 1));
    EXPECT_EQ(grid.ItemRect(2).top(), grid.ItemRect(0).top());
    EXPECT_EQ(grid.ItemRect(2).left(), grid.ItemRect(0).left() + 98);

    grid.resize(50, 140);
    EXPECT_EQ(grid.Columns(), 0);
    Settle();
    EXPECT_EQ(grid.ItemRect(4).left(), grid.ItemRect(0).left());
    EXPECT_EQ(grid.ItemRect(4).top(), grid.ItemRect(0).top() + 4 * 56);

    grid.resize(300, 140);
    EXPECT_EQ(grid.Columns(), 5);
    EXPECT_EQ(grid.ColumnWidth(), (300 + 5 - 3) / 5);
}

TEST_F(MainFixture, CurrentImageNeedsACaretUnlessTheGridHoldsOneImage) {
    EXPECT_EQ(main->CurrentImage(), nullptr);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].caption, QStringLiteral("Information"));
    EXPECT_EQ(prompter.shown[0].text, kNoFile);
    EXPECT_EQ(prompter.shown[0].buttons, TPromptButtons::Ok);

    Write("i/one.ico", IconOfSizes({{32, 8}}));
    Write("i/two.ico", IconOfSizes({{16, 4}, {32, 4}}));
    Browse("i");
    Choose(QStringLiteral("one.ico"));
    EXPECT_EQ(main->lbxViewer->CaretIndex(), -1);
    EXPECT_EQ(main->CurrentImage(), &main->LoadedIcons.front()->GetImage(0));

    Choose(QStringLiteral("two.ico"));
    EXPECT_EQ(main->CurrentImage(), nullptr);
    ASSERT_EQ(prompter.shown.size(), 2u);
    EXPECT_EQ(prompter.shown[1].text, kNoCaret);

    // Only the caret counts, not the selection.
    main->lbxViewer->SelectAllItems();
    main->lbxViewer->SetCaretIndex(1);
    EXPECT_EQ(main->CurrentImage(), &main->LoadedIcons.front()->GetImage(1));
    EXPECT_EQ(prompter.shown.size(), 2u);
}

TEST_F(MainFixture, StatusPanelTwoFollowsTheCaretCell) {
    Write("p/four.ico", IconOfSizes({{16, 4}, {32, 8}, {48, 24}, {32, 32}}));
    Browse("p");
    Choose(QStringLiteral("four.ico"));
    TViewerGrid& grid = *main->lbxViewer;
    grid.resize(400, 200);
    Settle();

    LeftClick(grid, 1);
    const QString second = QStringLiteral(" 32x32 pixels, 8 bpp marrowed from \"four.ico\" ");
    EXPECT_EQ(Panel(2), second);
    EXPECT_EQ(PanelWidth(2), WidthOf(second));
    EXPECT_EQ(grid.SelCount(), 1);
    EXPECT_FALSE(main->TrackingSelection);

    // A drag with Shift and the button held selects the range and the panel follows the caret.
    LeftClick(grid, 0);
    SendMouse(grid.viewport(), QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton,
              grid.ItemRect(0).center(), Qt::ShiftModifier);
    EXPECT_TRUE(main->TrackingSelection);
    SendMouse(grid.viewport(), QEvent::MouseMove, Qt::NoButton, Qt::LeftButton,
              grid.ItemRect(2).center(), Qt::ShiftModifier);
    EXPECT_EQ(Panel(2), QStringLiteral(" 48x48 pixels, 24 bpp marrowed from \"four.ico\" "));
    SendMouse(grid.viewport(), QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton,
              grid.ItemRect(2).center(), Qt::ShiftModifier);
    EXPECT_FALSE(main->TrackingSelection);
    EXPECT_EQ(grid.SelCount(), 3);
    EXPECT_FALSE(grid.IsSelected(3));

    // Shift extends from the anchor, Ctrl toggles one cell.
    LeftClick(grid, 3, Qt::ShiftModifier);
    EXPECT_EQ(grid.SelCount(), 4);
    LeftClick(grid, 1, Qt::ControlModifier);
    EXPECT_EQ(grid.SelCount(), 3);
    EXPECT_FALSE(grid.IsSelected(1));

    // The keyboard moves the caret and the panel with it.
    grid.setFocus();
    QTest::keyClick(&grid, Qt::Key_Down);
    EXPECT_EQ(grid.CaretIndex(), 2);
    EXPECT_EQ(Panel(2), QStringLiteral(" 48x48 pixels, 24 bpp marrowed from \"four.ico\" "));
}

// A damaged image keeps its cell, drawn empty but for the damaged mark, and the status bar
// names its damage; a file that gives nothing says why.
TEST_F(MainFixture, ADamagedImageShowsItsMarkAndItsReason) {
    ByteString whole = IconOfSizes({{16, 4}, {32, 8}});
    const std::size_t secondAt = 6 + 2 * 16 + 40 + 16 * 4 + 16 * 8 + 16 * 4;
    Write("d/cut.ico", ByteView(whole).first(secondAt + 100));
    Write("d/dir.ico", ByteView(whole).first(10));
    Browse("d");
    Choose(QStringLiteral("cut.ico"));
    TViewerGrid& grid = *main->lbxViewer;
    grid.resize(400, 200);
    Settle();
    ASSERT_EQ(grid.Count(), 2);
    LeftClick(grid, 1);
    EXPECT_EQ(Panel(2), QStringLiteral(" 32x32 pixels, 8 bpp marrowed from \"cut.ico\"  Damaged: "
                                       "the file ends 100 bytes into the image data "));
    // The damaged cell shows the mark's red crack; the sound one has none.
    auto hasRed = [](const QImage& image) {
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (QColor(image.pixel(x, y)).red() > 150 && QColor(image.pixel(x, y)).green() < 80)
                    return true;
        return false;
    };
    EXPECT_TRUE(hasRed(DrawnItem(*main, 1, false)));
    EXPECT_FALSE(hasRed(DrawnItem(*main, 0, false)));

    Choose(QStringLiteral("dir.ico"));
    Settle();
    EXPECT_EQ(Panel(1),
              QStringLiteral(" No icons found: the file ends 10 bytes into the icon directory. "));
}

TEST_F(MainFixture, RightClickMovesTheCaretKeepsTheSelectionAndOpensThePopup) {
    Write("m/four.ico", IconOfSizes({{16, 4}, {32, 8}, {48, 24}, {32, 32}}));
    Browse("m");
    Choose(QStringLiteral("four.ico"));
    TViewerGrid& grid = *main->lbxViewer;
    grid.resize(400, 200);
    Settle();
    LeftClick(grid, 0);

    SendMouse(grid.viewport(), QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton,
              grid.ItemRect(3).center());
    EXPECT_EQ(grid.CaretIndex(), 3);
    EXPECT_TRUE(grid.IsSelected(0));
    EXPECT_FALSE(grid.IsSelected(3));
    EXPECT_EQ(Panel(2), QStringLiteral(" 32x32 pixels, 32 bpp marrowed from \"four.ico\" "));
    EXPECT_TRUE(main->ViewerPopupMenu->isVisible());
    main->ViewerPopupMenu->hide();

    // Below the last item of a column there is no item and no pop-up.
    const QPoint below = grid.ItemRect(3).bottomLeft() + QPoint(5, 10);
    ASSERT_EQ(grid.ItemAt(below), -1);
    SendMouse(grid.viewport(), QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton, below);
    EXPECT_FALSE(main->ViewerPopupMenu->isVisible());
    EXPECT_EQ(grid.CaretIndex(), 3);

    // Select All from the pop-up selects every cell.
    main->ViewerPopupMenu->findChild<QAction*>(QStringLiteral("popSelectAll"))->trigger();
    EXPECT_EQ(grid.SelCount(), 4);
}

TEST_F(MainFixture, AFilterChangeDuringARunKeepsTheRunsLargestSize) {
    const std::vector<std::string> paths = {Write("g/big.ico", IconOfSizes({{48, 4}, {16, 4}})),
                                            Write("g/small.ico", IconOfSizes({{16, 4}})),
                                            Write("g/more.ico", IconOfSizes({{16, 4}}))};
    // While the files are read, the grid is filtered to 16 x 16 images only.
    main->LoadFiles(false, paths);
    ASSERT_TRUE(main->LoadRun->Loading);
    AnswerFilter({"chk32x32", "chk48x48", "chkOtherSizes"}, true);
    main->btnFilterClick();
    RunToEnd();
    EXPECT_EQ(main->LoadedMaxWidth, 48);
    EXPECT_EQ(main->CellWidth, 16);
    EXPECT_EQ(main->lbxViewer->Count(), 3);
    EXPECT_EQ(Panel(1), QStringLiteral(" 3 of 4 images shown (filtered). "));

    AnswerFilter({}, false);
    main->btnFilterClick();
    EXPECT_EQ(main->CellWidth, 48);
    EXPECT_EQ(main->CellHeight, 48);
    EXPECT_EQ(main->lbxViewer->Count(), 4);
}

// However short the strip, the first cell stands at the viewport's left edge, every column
// holds at least one cell, and Home puts the caret on it; a new grid starts scrolled home.
TEST_F(MainFixture, TheFirstCellStandsAtTheLeftEdgeWhateverTheStripHeight) {
    Write("h/tall.ico", IconOfSizes({{48, 4}, {48, 8}, {48, 24}, {48, 32}, {32, 4}, {16, 4}}));
    Write("h/other.ico", IconOfSizes({{48, 4}, {48, 8}, {48, 24}, {48, 32}, {32, 4}, {16, 4}}));
    Browse("h");
    Choose(QStringLiteral("tall.ico"));
    main->ShowLabels1Click();
    main->ActualSize1Click();
    TViewerGrid& grid = *main->lbxViewer;
    ASSERT_EQ(grid.Count(), 6);
    for (int height : {10, 40, 56, 60, 75, 90, 140, 300}) {
        grid.resize(130, height);
        Settle();
        EXPECT_EQ(grid.ItemRect(0).left(), 0) << height;
        EXPECT_EQ(grid.ItemRect(0).top(), 0) << height;
        for (int i = 1; i < grid.Count(); ++i) {
            const QRect previous = grid.ItemRect(i - 1);
            const QRect rect = grid.ItemRect(i);
            const bool below = rect.left() == previous.left() && rect.top() > previous.top();
            const bool nextColumn = rect.left() == previous.right() + 1 && rect.top() == 0;
            EXPECT_TRUE(below || nextColumn) << height << " item " << i;
        }
        grid.setFocus();
        QTest::keyClick(&grid, Qt::Key_End);
        QTest::keyClick(&grid, Qt::Key_Home);
        EXPECT_EQ(grid.CaretIndex(), 0) << height;
        EXPECT_EQ(grid.horizontalScrollBar()->value(), 0) << height;
    }
    grid.resize(130, 40);
    Settle();
    grid.horizontalScrollBar()->setValue(grid.horizontalScrollBar()->maximum());
    ASSERT_GT(grid.horizontalScrollBar()->value(), 0);
    Choose(QStringLiteral("other.ico"));
    Settle();
    EXPECT_EQ(grid.horizontalScrollBar()->value(), 0);
    EXPECT_EQ(grid.ItemRect(0).left(), 0);
}

namespace {

// The lengths of the runs of equal colour along row y of `picture`, from x0 for `width` pixels.
std::vector<int> Runs(const QImage& picture, int x0, int y, int width) {
    std::vector<int> runs{1};
    for (int x = x0 + 1; x < x0 + width; ++x) {
        if (picture.pixel(x, y) == picture.pixel(x - 1, y)) {
            ++runs.back();
        } else {
            runs.push_back(1);
        }
    }
    return runs;
}

}  // namespace

// Each cell carries its label under the picture: the item holds picture, label lines and
// margins, and no label is wider than its column. After a scan a second line names the file;
// View > "Show Labels" takes them away.
TEST_F(MainFixture, LabelsStandUnderTheCellsWithinTheirItems) {
    Write("l/a.ico", IconOfSizes({{16, 4}, {48, 32}}));
    Write("l/b.ico",
          BuildIco(
              {PngEntry(MakePngStream({.width = 32,
                                       .height = 32,
                                       .sample = [](int, int, int) { return std::uint16_t{200}; }}),
                        32)}));
    Browse("l");
    main->btnScanNow->click();
    RunToEnd();
    TViewerGrid& grid = *main->lbxViewer;
    ASSERT_EQ(grid.Count(), 3);
    ASSERT_TRUE(main->ShowLabels);
    const QFontMetrics metrics(CellLabelFont());
    EXPECT_EQ(CellLabel(grid.Item(0), true),
              QStringList({QStringLiteral("16 x 16, 4 bpp"), QStringLiteral("a.ico")}));
    EXPECT_EQ(CellLabel(grid.Item(2), false), QStringList{QStringLiteral("32 x 32, PNG")});
    EXPECT_EQ(grid.ItemHeight(), main->ShownCell.height() + 2 * metrics.height() + 8);
    for (int i = 0; i < grid.Count(); ++i) {
        for (const QString& line : CellLabel(grid.Item(i), true))
            EXPECT_LE(metrics.horizontalAdvance(line), grid.ItemSize().width() - 8) << i;
    }
    // The label's text is drawn below the picture, inside the item.
    const QImage item = DrawnItem(*main, 1, false);
    const QColor window = grid.palette().color(QPalette::Active, QPalette::Base);
    int inked = 0;
    for (int y = 4 + main->ShownCell.height(); y < item.height(); ++y)
        for (int x = 0; x < item.width(); ++x) inked += item.pixelColor(x, y) != window;
    EXPECT_GT(inked, 20);

    const int labelled = grid.ItemHeight();
    main->View1->findChild<QAction*>(QStringLiteral("ShowLabels1"))->trigger();
    EXPECT_FALSE(main->ShowLabels);
    EXPECT_EQ(grid.ItemHeight(), main->ShownCell.height() + 8);
    EXPECT_LE(grid.ItemHeight(), labelled);  // Fit gives the room to the pictures
    QTest::keyClick(main.get(), Qt::Key_L, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(main->ShowLabels);

    // A damaged image says so in its label.
    ByteString cut = IconOfSizes({{32, 24}});
    cut.resize(cut.size() - 100);
    Write("l/cut.ico", cut);
    Choose(QStringLiteral("cut.ico"));
    ASSERT_EQ(grid.Count(), 1);
    EXPECT_EQ(CellLabel(grid.Item(0), false),
              QStringList{QStringLiteral("32 x 32, 24 bpp, damaged")});
}

// Zoom In past Actual Size enlarges the images by whole multiples, each image pixel a square
// block without smoothing, up to 8 times the largest image. At a device pixel ratio of 2 each
// image pixel is a 2 x 2 block of device pixels and the picture keeps its logical size.
TEST_F(MainFixture, ZoomEnlargesByWholeBlocksAndDevicePixelsFollowTheRatio) {
    Write("b/small.ico", BuildIco({EntryFor({16, 16, 4, 0x12, 0x00})}));  // stripes of 1 pixel
    Browse("b");
    Choose(QStringLiteral("small.ico"));
    TallStrip(*main);
    main->ShowLabels1Click();  // labels off: the cells alone fill the items
    main->ActualSize1Click();
    for (int i = 0; i < 12; ++i) main->ZoomIn1Click();
    EXPECT_EQ(main->ShownCell, QSize(128, 128));
    EXPECT_EQ(main->ViewerZoom, TViewerZoom::AtStep(128));
    QImage item = DrawnItem(*main, 0, false);
    for (int y : {4, 4 + 63, 4 + 127}) {
        EXPECT_EQ(Runs(item, 4, y, 128), std::vector<int>(16, 8)) << y;
    }
    EXPECT_EQ(item.pixel(4, 4), item.pixel(4 + 7, 4 + 127));

    // Stored zooms are repaired to a step.
    EXPECT_EQ(ZoomFromText(QStringLiteral("100")), TViewerZoom::AtStep(96));
    EXPECT_EQ(ZoomFromText(QStringLiteral("99999")), TViewerZoom::AtStep(2048));
    EXPECT_EQ(ZoomFromText(QStringLiteral("-5")), TViewerZoom::AtStep(16));

    main->ActualSize1Click();
    const QSize size = main->lbxViewer->ItemSize();
    QImage device(size * 2, QImage::Format_RGB32);
    device.setDevicePixelRatio(2);
    device.fill(Qt::magenta);
    {
        QPainter painter(&device);
        main->lbxViewerDrawItem(painter, 0, QRect(QPoint(0, 0), size), false);
    }
    EXPECT_EQ(Runs(device, 8, 8, 32), std::vector<int>(16, 2));
    EXPECT_EQ(device.pixel(8, 8), device.pixel(9, 9));
    EXPECT_NE(device.pixel(8 + 32, 8), device.pixel(8 + 31, 8));  // 16 logical pixels wide
}

// Fit to Strip sizes the cells for the side nine tenths of the images have (here 48 of 16,
// 32, 48 and 256) and shares the strip's height among as many rows as fit: larger images are
// scaled down into their cells, smaller ones keep their size.
TEST_F(MainFixture, FitToStripSharesTheStripAmongRowsOfTheCommonSize) {
    std::vector<int> shell32(552, 16);
    shell32.insert(shell32.end(), 552, 32);
    shell32.insert(shell32.end(), 552, 48);
    shell32.insert(shell32.end(), 184, 256);
    EXPECT_EQ(ShareSide(shell32), 48);

    Write("s/lib.ico", IconOfSizes({{16, 24},
                                    {16, 24},
                                    {16, 24},
                                    {32, 24},
                                    {32, 24},
                                    {32, 24},
                                    {48, 24},
                                    {48, 24},
                                    {48, 24},
                                    {256, 24}}));
    Browse("s");
    Choose(QStringLiteral("lib.ico"));
    TallStrip(*main);
    main->FittoStrip1Click();
    TViewerGrid& grid = *main->lbxViewer;
    const int room = grid.ColumnRoom();
    const int extra = grid.ItemHeight() - main->ShownCell.height();
    const int rows = room / (48 + extra);
    ASSERT_GE(rows, 2);
    EXPECT_EQ(grid.ItemHeight(), room / rows);
    EXPECT_GE(main->ShownCell.height(), 48);
    Settle();
    EXPECT_EQ(grid.ItemRect(rows - 1).left(), grid.ItemRect(0).left());
    EXPECT_LE(grid.ItemRect(rows - 1).bottom(), grid.viewport()->height());

    const QColor window = grid.palette().color(QPalette::Active, QPalette::Base);
    const int side = main->ShownCell.height();
    QImage item = DrawnItem(*main, 9, false);  // 256 pixels, scaled down to the cell
    EXPECT_NE(item.pixelColor(4, 4 + side / 2), window);
    EXPECT_NE(item.pixelColor(4 + side - 1, 4 + side / 2), window);
    item = DrawnItem(*main, 0, false);  // 16 pixels, as they are
    EXPECT_EQ(Runs(item, 4, 4 + side / 2, side),
              std::vector<int>({(side - 16) / 2, 16, side - 16 - (side - 16) / 2}));
}
