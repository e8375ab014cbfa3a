// The main window's viewer grid: filling it under the filter, the cell size and zoom, drawing a
// cell, the caret cell's and the selection's description, the current image, the keyboard's
// pop-up menu, and the filter command.
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QToolButton>
#include <algorithm>
#include <cmath>

#include "duplicates/DuplicateSet.h"
#include "icons/Rendering.h"
#include "icons/ResourceName.h"
#include "ui/dialogs/frmFilterIcons.h"
#include "ui/main/StatusPanels.h"
#include "ui/main/frmMain.h"
#include "ui/viewer/ViewerGrid.h"
#include "ui/widgets/BitmapToQImage.h"
#include "ui/widgets/DamagedMark.h"
#include "ui/widgets/PathText.h"
#include "ui/widgets/QtColor.h"
#include "writers/AreaScale.h"

namespace {

constexpr int kCellMargin = 4;
constexpr int kCaretPanel = 2;
constexpr int kCountPanel = 1;
constexpr int kSelectionPanel = 3;

// What the grid shows: the count of cells; out of how many loaded images, and why the others
// are left out, when the filter is on or duplicates are hidden; with no images at all, the
// reason the one file read gave none, when there is one.
QString CountText(int cells, int loaded, bool filtered, int hidden, const std::string& reason) {
    if (loaded == 0 && !reason.empty())
        return QStringLiteral("No icons found: %1.").arg(QString::fromStdString(reason));
    QStringList why;
    if (filtered) why << QStringLiteral("filtered");
    if (hidden == 1) why << QStringLiteral("1 duplicate hidden");
    if (hidden > 1) why << QStringLiteral("%1 duplicates hidden").arg(hidden);
    if (!why.isEmpty()) {
        return QStringLiteral("%1 of %2 images shown (%3).")
            .arg(cells)
            .arg(loaded)
            .arg(why.join(QStringLiteral(", ")));
    }
    return cells == 0   ? QStringLiteral("No icons found.")
           : cells == 1 ? QStringLiteral("1 icon found.")
                        : QStringLiteral("%1 icons found.").arg(cells);
}

QString Describe(const TLoadedIconImage& image) {
    const QString file = QFileInfo(FromFilePath(image.Owner->FileName)).fileName();
    QString text = QStringLiteral("%1x%2 pixels, %3 bpp marrowed from \"%4\"")
                       .arg(image.PixelWidth())
                       .arg(image.PixelHeight())
                       .arg(image.BitCount)
                       .arg(file);
    if (!image.ResourceName.empty())
        text +=
            QStringLiteral(" (%1)").arg(QString::fromStdString(ReadableName(image.ResourceName)));
    if (!image.Damage().empty()) text += QStringLiteral("  ") + DamageText(image);
    return text;
}

// An image that fits the cell is drawn at its own size, centred. A larger one is drawn at its
// own size over the cell's brush and then scaled down by area averaging to fit, keeping its
// aspect, so its partly transparent pixels blend with the background as in a fitting cell.
void DrawCellImage(const TLoadedIconImage& image, TBitmap& cell) {
    TCanvas& canvas = cell.Canvas();
    const int width = image.PixelWidth();
    const int height = image.PixelHeight();
    const TPictureSize fitted = FitWithin(width, height, cell.Width(), cell.Height());
    const int x = (cell.Width() - fitted.Width) / 2;
    const int y = (cell.Height() - fitted.Height) / 2;
    if (fitted.Width == width && fitted.Height == height) {
        DrawIconImage(image, canvas, x, y, canvas.BrushColor);
        return;
    }
    TBitmap drawn(width, height, TPixelFormat::pf24bit);
    drawn.Canvas().BrushColor = canvas.BrushColor;
    drawn.Canvas().FillRect(0, 0, width, height);
    DrawIconImage(image, drawn.Canvas(), 0, 0, canvas.BrushColor);
    canvas.Draw(x, y, ScaleBitmapDownByArea(drawn, fitted.Width, fitted.Height));
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
    connect(lbxViewer, &TViewerGrid::SelectionChanged, this,
            [this] { Run(&TMain::DescribeSelection); });
    connect(lbxViewer, &TViewerGrid::PopupRequest, this,
            [this] { Run(&TMain::lbxViewerKeyPopup); });
    connect(lbxViewer, &TViewerGrid::ZoomWheel, this,
            [this](int steps) { Run(steps > 0 ? &TMain::ZoomIn1Click : &TMain::ZoomOut1Click); });
}

void TMain::BuildViewer() {
    pnlViewer->hide();
    ResizeViewer();
    FilteredImages.clear();
    std::vector<TLoadedIconImage*> shown;
    TDuplicateSet duplicates;
    int loaded = 0;
    for (const std::unique_ptr<TLoadedIcon>& icon : LoadedIcons) {
        for (const std::unique_ptr<TLoadedIconImage>& image : icon->Images) {
            ++loaded;
            if (!ImagePassesFilter(Filter, *image)) continue;
            FilteredImages.push_back(image.get());
            if (!HideDuplicateImages || duplicates.FirstOf(*image)) shown.push_back(image.get());
        }
    }
    lbxViewer->SetItems(std::move(shown));
    StatusBar->ShowMessage(kCountPanel, CountText(lbxViewer->Count(), loaded, !Filter.ShowAllIcons,
                                                  static_cast<int>(duplicates.Duplicates()),
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
    ShownCell = ZoomedCell();
    lbxViewer->SetItemHeight(LogicalSide(ShownCell.height()) + 2 * kCellMargin);
    lbxViewer->SetColumns(lbxViewer->width() / (LogicalSide(ShownCell.width()) + 2 * kCellMargin));
    if (CellBitmap && CellBitmap->Width() == ShownCell.width() &&
        CellBitmap->Height() == ShownCell.height()) {
        return;
    }
    CellBitmap =
        std::make_unique<TBitmap>(ShownCell.width(), ShownCell.height(), TPixelFormat::pf24bit);
}

// Actual Size is the cell the images and the filter call for. Fit to Strip takes the largest
// step not above it whose item fits the grid's height with room for the sideways scroll bar.
QSize TMain::ZoomedCell() const {
    switch (ViewerZoom.Mode) {
        case TViewerZoom::TMode::Actual:
            return QSize(CellWidth, CellHeight);
        case TViewerZoom::TMode::Step:
            return QSize(ViewerZoom.Step, ViewerZoom.Step);
        case TViewerZoom::TMode::Fit:
            break;
    }
    const int room = lbxViewer->ColumnRoom();
    const int step = FitStep(std::max(CellWidth, CellHeight), [&](int pixels) {
        return LogicalSide(pixels) + 2 * kCellMargin <= room;
    });
    return QSize(step, step);
}

int TMain::LogicalSide(int pixels) const {
    return static_cast<int>(std::ceil(pixels / lbxViewer->devicePixelRatioF()));
}

// The tool bar and one row of the smallest cells with the sideways scroll bar.
int TMain::ViewerLeastHeight() const {
    const int chrome = lbxViewer->height() - lbxViewer->ColumnRoom();
    return pnlViewerToolbar->height() + chrome + LogicalSide(SmallestStep()) + 2 * kCellMargin;
}

void TMain::SetViewerZoom(const TViewerZoom& zoom) {
    ViewerZoom = zoom;
    ResizeViewer();
    lbxViewer->KeepCaretInView();
}

void TMain::ZoomIn1Click() {
    SetViewerZoom(TViewerZoom::AtStep(StepAbove(std::max(ShownCell.width(), ShownCell.height()))));
}

void TMain::ZoomOut1Click() {
    SetViewerZoom(TViewerZoom::AtStep(StepBelow(std::max(ShownCell.width(), ShownCell.height()))));
}

void TMain::ActualSize1Click() {
    SetViewerZoom(TViewerZoom::Actual());
}

void TMain::FittoStrip1Click() {
    SetViewerZoom(TViewerZoom::Fit());
}

// The picture of the cell is drawn off-screen in CellBitmap over the item's background (the
// highlight colour when selected), so transparent pixels show that background, and is then
// copied onto the grid 4 pixels in from the item's corner, one picture pixel to a device pixel.
// A damaged image leaves the cell empty but for the damaged mark.
void TMain::lbxViewerDrawItem(QPainter& canvas, int index, const QRect& rect, bool selected) {
    const QColor brush = lbxViewer->palette().color(
        QPalette::Active, selected ? QPalette::Highlight : QPalette::Base);
    TCanvas& cell = CellBitmap->Canvas();
    cell.BrushColor = ToTColor(brush);
    cell.FillRect(0, 0, CellBitmap->Width(), CellBitmap->Height());
    DrawCellImage(lbxViewer->Item(index), *CellBitmap);
    canvas.fillRect(rect, brush);
    QImage picture = BitmapToQImage(*CellBitmap);
    picture.setDevicePixelRatio(lbxViewer->devicePixelRatioF());
    canvas.drawImage(rect.topLeft() + QPoint(kCellMargin, kCellMargin), picture);
    if (!lbxViewer->Item(index).Damage().empty()) DrawDamagedMark(canvas, rect);
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

void TMain::DescribeSelection() {
    const int selected = lbxViewer->SelCount();
    if (selected > 1) {
        StatusBar->ShowMessage(kSelectionPanel, QStringLiteral("%1 cells selected.").arg(selected));
    } else {
        StatusBar->ResetPanel(kSelectionPanel);
    }
}

void TMain::lbxViewerKeyPopup() {
    const int caret = lbxViewer->CaretIndex();
    if (caret < 0) return;
    lbxViewer->scrollTo(lbxViewer->model()->index(caret, 0));
    DescribeCaretCell();
    const QRect shown = lbxViewer->ItemRect(caret) & lbxViewer->viewport()->rect();
    ViewerPopupMenu->popup(lbxViewer->viewport()->mapToGlobal(shown.center()));
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

// The selected cells that are still shown stay selected, and the caret stays on its image
// while that is shown.
void TMain::RefillViewer() {
    std::vector<const TLoadedIconImage*> selected;
    for (int index = 0; index < lbxViewer->Count(); ++index) {
        if (lbxViewer->IsSelected(index)) selected.push_back(&lbxViewer->Item(index));
    }
    const int caret = lbxViewer->CaretIndex();
    const TLoadedIconImage* caretImage = caret >= 0 ? &lbxViewer->Item(caret) : nullptr;
    lbxViewer->Clear();
    StatusBar->SetPanelWidth(kCaretPanel, 0);
    BuildViewer();
    QItemSelection kept;
    QItemSelectionModel* selection = lbxViewer->selectionModel();
    for (int index = 0; index < lbxViewer->Count(); ++index) {
        const TLoadedIconImage* image = &lbxViewer->Item(index);
        const QModelIndex cell = lbxViewer->model()->index(index, 0);
        if (std::find(selected.begin(), selected.end(), image) != selected.end())
            kept.select(cell, cell);
        if (image == caretImage) selection->setCurrentIndex(cell, QItemSelectionModel::NoUpdate);
    }
    selection->select(kept, QItemSelectionModel::ClearAndSelect);
}
