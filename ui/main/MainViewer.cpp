// The main window's viewer grid: filling it under the filter, the cell size, drawing a cell,
// the caret cell's description, the current image, and the filter command.
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QToolButton>
#include <algorithm>

#include "duplicates/DuplicateSet.h"
#include "icons/Rendering.h"
#include "ui/dialogs/frmFilterIcons.h"
#include "ui/main/StatusPanels.h"
#include "ui/main/frmMain.h"
#include "ui/viewer/ViewerGrid.h"
#include "ui/widgets/BitmapToQImage.h"
#include "ui/widgets/DamagedMark.h"
#include "ui/widgets/PathText.h"
#include "ui/widgets/QtColor.h"

namespace {

constexpr int kCellMargin = 4;
constexpr int kCaretPanel = 2;
constexpr int kCountPanel = 1;

// The count of cells and of duplicates hidden; with no cells, the reason the one file read gave
// none, when there is one.
QString CountText(int cells, int hidden, const std::string& reason) {
    if (cells == 0 && !reason.empty())
        return QStringLiteral("No icons found: %1.").arg(QString::fromStdString(reason));
    QString text = cells == 0   ? QStringLiteral("No icons found")
                   : cells == 1 ? QStringLiteral("1 icon found")
                                : QStringLiteral("%1 icons found").arg(cells);
    if (hidden == 1) text += QStringLiteral(" (1 duplicate hidden)");
    if (hidden > 1) text += QStringLiteral(" (%1 duplicates hidden)").arg(hidden);
    return text + QLatin1Char('.');
}

QString Describe(const TLoadedIconImage& image) {
    const QString file = QFileInfo(FromFilePath(image.Owner->FileName)).fileName();
    QString text = QStringLiteral("%1x%2 pixels, %3 bpp marrowed from \"%4\"")
                       .arg(image.PixelWidth())
                       .arg(image.PixelHeight())
                       .arg(image.BitCount)
                       .arg(file);
    if (!image.Damage().empty()) text += QStringLiteral("  ") + DamageText(image);
    return text;
}

}  // namespace

void TMain::ConnectViewer() {
    lbxViewer->SetDrawItem([this](QPainter& canvas, int index, const QRect& rect, bool selected) {
        lbxViewerDrawItem(canvas, index, rect, selected);
    });
    connect(lbxViewer, &TViewerGrid::MouseDown, this,
            [this](Qt::MouseButton button, const QPoint& pos) {
                RunCommand(this, [&] { lbxViewerMouseDown(button, pos); });
            });
    connect(lbxViewer, &TViewerGrid::MouseMove, this, [this] { Run(&TMain::lbxViewerMouseMove); });
    connect(lbxViewer, &TViewerGrid::MouseUp, this, [this] { Run(&TMain::lbxViewerMouseUp); });
    connect(lbxViewer, &TViewerGrid::Click, this, [this] { Run(&TMain::lbxViewerClick); });
    connect(lbxViewer, &TViewerGrid::DoubleClick, this, [this] { Run(&TMain::btnInfoClick); });
    connect(lbxViewer, &TViewerGrid::Resized, this, [this] { Run(&TMain::ResizeViewer); });
    connect(lbxViewer, &TViewerGrid::DragOut, this, [this] { Run(&TMain::lbxViewerDragOut); });
}

void TMain::BuildViewer() {
    pnlViewer->hide();
    lbxViewer->SetItemHeight(CellHeight + 2 * kCellMargin);
    lbxViewer->SetColumns(lbxViewer->width() / (CellWidth + 2 * kCellMargin));
    FilteredImages.clear();
    std::vector<TLoadedIconImage*> shown;
    TDuplicateSet duplicates;
    for (const std::unique_ptr<TLoadedIcon>& icon : LoadedIcons) {
        for (const std::unique_ptr<TLoadedIconImage>& image : icon->Images) {
            if (!ImagePassesFilter(Filter, *image)) continue;
            FilteredImages.push_back(image.get());
            if (!HideDuplicateImages || duplicates.FirstOf(*image)) shown.push_back(image.get());
        }
    }
    lbxViewer->SetItems(std::move(shown));
    StatusBar->ShowMessage(kCountPanel,
                           CountText(lbxViewer->Count(), static_cast<int>(duplicates.Duplicates()),
                                     LoadedIcons.empty() ? LoadReason : ""));
    lbxViewer->setEnabled(lbxViewer->Count() > 0);
    pnlViewer->show();
}

void TMain::ChooseCellSize() {
    if (Filter.ShowAllIcons || Filter.ShowOtherSizes) {
        CellWidth = LoadedMaxWidth;
        CellHeight = LoadedMaxHeight;
    } else if (Filter.Show48x48) {
        CellWidth = CellHeight = 48;
    } else if (Filter.Show32x32) {
        CellWidth = CellHeight = 32;
    } else if (Filter.Show16x16) {
        CellWidth = CellHeight = 16;
    }
    ResizeViewer();
}

void TMain::ResizeViewer() {
    lbxViewer->SetColumns(lbxViewer->width() / (CellWidth + 2 * kCellMargin));
    if (CellBitmap && CellBitmap->Width() == CellWidth && CellBitmap->Height() == CellHeight) {
        return;
    }
    CellBitmap = std::make_unique<TBitmap>(CellWidth, CellHeight, TPixelFormat::pf24bit);
}

// The picture of the cell is drawn off-screen in CellBitmap over the item's background (the
// highlight colour when selected), so transparent pixels show that background, and is then
// copied onto the grid 4 pixels in from the item's corner. A damaged image leaves the cell
// empty but for the damaged mark.
void TMain::lbxViewerDrawItem(QPainter& canvas, int index, const QRect& rect, bool selected) {
    const QColor brush = lbxViewer->palette().color(
        QPalette::Active, selected ? QPalette::Highlight : QPalette::Base);
    TCanvas& cell = CellBitmap->Canvas();
    cell.BrushColor = ToTColor(brush);
    cell.FillRect(0, 0, CellWidth, CellHeight);
    TLoadedIconImage& image = lbxViewer->Item(index);
    DrawIconImage(image, cell, (CellWidth - image.PixelWidth()) / 2,
                  (CellHeight - image.PixelHeight()) / 2, cell.BrushColor);
    canvas.fillRect(rect, brush);
    canvas.drawImage(rect.topLeft() + QPoint(kCellMargin, kCellMargin),
                     BitmapToQImage(*CellBitmap));
    if (!image.Damage().empty()) DrawDamagedMark(canvas, rect);
}

void TMain::DescribeCaretCell() {
    const int caret = lbxViewer->CaretIndex();
    if (caret < 0) return;
    StatusBar->ShowMessage(kCaretPanel, Describe(lbxViewer->Item(caret)));
    StatusBar->repaint();
}

void TMain::lbxViewerMouseDown(Qt::MouseButton button, const QPoint& pos) {
    if (button == Qt::LeftButton) {
        TrackingSelection = true;
        DescribeCaretCell();
        return;
    }
    if (button != Qt::RightButton) return;
    const int index = lbxViewer->ItemAt(pos);
    if (index < 0) return;
    lbxViewer->SetCaretIndex(index);
    DescribeCaretCell();
    ViewerPopupMenu->popup(lbxViewer->viewport()->mapToGlobal(pos));
}

void TMain::lbxViewerMouseMove() {
    if (TrackingSelection) DescribeCaretCell();
}

void TMain::lbxViewerMouseUp() {
    TrackingSelection = false;
}

void TMain::lbxViewerClick() {
    TrackingSelection = false;
    DescribeCaretCell();
}

TLoadedIconImage* TMain::CurrentImage() {
    int index = lbxViewer->CaretIndex();
    if (index < 0) {
        const int count = lbxViewer->Count();
        if (count != 1) {
            Prompter().Message(
                this, QStringLiteral("Information"),
                count == 0 ? QStringLiteral("Select a file that contains icons then try again.")
                           : QStringLiteral("Select one of the icons below and then try again."),
                TPromptButtons::Ok);
            return nullptr;
        }
        index = 0;
    }
    return &lbxViewer->Item(index);
}

bool TMain::RefuseDamaged(const TLoadedIconImage& Image) {
    if (Image.Damage().empty()) return false;
    Prompter().Message(
        this, QStringLiteral("Information"),
        QStringLiteral("This image is damaged: it cannot be saved, copied or dragged.\r\n") +
            DamageText(Image),
        TPromptButtons::Ok);
    return true;
}

void TMain::SelectAll1Click() {
    lbxViewer->SelectAllItems();
}

void TMain::btnFilterClick() {
    TFilterIcons dialog(this);
    if (!dialog.Execute(Filter)) return;
    btnFilter->setIcon(QIcon((Filter.ShowAllIcons ? Image2 : Image1)->pixmap()));
    ChooseCellSize();
    RefillViewer();
}

void TMain::RefillViewer() {
    lbxViewer->Clear();
    StatusBar->SetPanelWidth(kCaretPanel, 0);
    BuildViewer();
}
