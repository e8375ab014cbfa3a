// The main window's viewer grid: filling it under the filter, the cell size and zoom, drawing a
// cell and its labels, the caret cell's and the selection's description, the current image, the
// keyboard's pop-up menu, and the filter command.
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QFontMetrics>
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
#include "ui/viewer/CellLabel.h"
#include "ui/viewer/CellScale.h"
#include "ui/viewer/ViewerGrid.h"
#include "ui/widgets/BitmapToQImage.h"
#include "ui/widgets/DamagedMark.h"
#include "ui/widgets/PathText.h"
#include "ui/widgets/QtColor.h"
#include "ui/widgets/SharpPicture.h"

namespace {

constexpr int kCellMargin = 4;
constexpr int kCaretPanel = 2;
constexpr int kCountPanel = 1;
constexpr int kSelectionPanel = 3;
constexpr int kMostZoom = 8;  // times the largest shown image

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

// The image drawn at the scale the cell gives it, centred in the cell over the cell's brush:
// at its own size, enlarged by whole blocks, or scaled down by area averaging, so its partly
// transparent pixels blend with the background as in a cell of its own size.
void DrawCellImage(const TLoadedIconImage& image, TBitmap& cell, const TCellScale& scale) {
    TCanvas& canvas = cell.Canvas();
    const int x = (cell.Width() - scale.Width) / 2;
    const int y = (cell.Height() - scale.Height) / 2;
    if (scale.Block == 1) {
        DrawIconImage(image, canvas, x, y, canvas.BrushColor);
        return;
    }
    canvas.Draw(x, y, ScaledDrawing(image, canvas.BrushColor, scale));
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
    MeasureShown(shown);
    lbxViewer->SetItems(std::move(shown));
    ResizeViewer();
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

// The shown images' largest side (zoom goes up to 8 times it), the side Fit to Strip sizes
// cells for, and the widest first label line.
void TMain::MeasureShown(const std::vector<TLoadedIconImage*>& shown) {
    std::vector<int> sides;
    sides.reserve(shown.size());
    const QFontMetrics metrics(CellLabelFont());
    ShownLabelWidth = 0;
    for (const TLoadedIconImage* image : shown) {
        sides.push_back(std::max(image->PixelWidth(), image->PixelHeight()));
        if (ShowLabels)
            ShownLabelWidth = std::max(ShownLabelWidth, metrics.horizontalAdvance(CellSizeText(
                                                            *image, !image->LoadDamage().empty())));
    }
    ShownMaxSide = sides.empty() ? SmallestStep() : *std::max_element(sides.begin(), sides.end());
    ShownShareSide = ShareSide(std::move(sides));
}

int TMain::LabelHeight() const {
    if (!ShowLabels) return 0;
    return (LabelsNameFiles ? 2 : 1) * QFontMetrics(CellLabelFont()).height();
}

// Item height: the cell, its labels and the margins. Columns are as wide as the cell or the
// widest label, whichever is wider. CellBitmap covers the cell in device pixels.
void TMain::ResizeViewer() {
    ShownCell = ZoomedCell();
    lbxViewer->SetItemHeight(ShownCell.height() + LabelHeight() + 2 * kCellMargin);
    const int column = std::max(ShownCell.width(), ShowLabels ? ShownLabelWidth : 0);
    lbxViewer->SetColumns(lbxViewer->width() / (column + 2 * kCellMargin));
    SizeCellBitmap(lbxViewer->devicePixelRatioF());
}

void TMain::SizeCellBitmap(double ratio) {
    const int width = DeviceSide(ShownCell.width(), ratio);
    const int height = DeviceSide(ShownCell.height(), ratio);
    if (CellBitmap && CellBitmap->Width() == width && CellBitmap->Height() == height) return;
    CellBitmap = std::make_unique<TBitmap>(width, height, TPixelFormat::pf24bit);
}

// Actual Size is the cell the images and the filter call for; a step is at most 8 times the
// largest shown image and leaves its item whole in the strip's height. Fit to Strip sizes the
// cells for the side most shown images have and shares the strip's height among the rows.
QSize TMain::ZoomedCell() const {
    const int extra = LabelHeight() + 2 * kCellMargin;
    const int room = lbxViewer->ColumnRoom();
    switch (ViewerZoom.Mode) {
        case TViewerZoom::TMode::Actual:
            return QSize(CellWidth, CellHeight);
        case TViewerZoom::TMode::Step: {
            const int side = std::min(ViewerZoom.Step, LargestZoomStep());
            return QSize(side, side);
        }
        case TViewerZoom::TMode::Fit:
            break;
    }
    const int side = FitItemHeight(ShownShareSide, extra, room) - extra;
    return QSize(side, side);
}

int TMain::LargestZoomStep() const {
    const int room = lbxViewer->ColumnRoom() - LabelHeight() - 2 * kCellMargin;
    return LargestStepWithin(std::min(kMostZoom * ShownMaxSide, room));
}

// The tool bar and one row of the smallest cells with the sideways scroll bar.
int TMain::ViewerLeastHeight() const {
    const int chrome = lbxViewer->height() - lbxViewer->ColumnRoom();
    return pnlViewerToolbar->height() + chrome + SmallestStep() + LabelHeight() + 2 * kCellMargin;
}

void TMain::SetViewerZoom(const TViewerZoom& zoom) {
    ViewerZoom = zoom;
    ResizeViewer();
    lbxViewer->KeepCaretInView();
}

void TMain::ZoomIn1Click() {
    const int above = StepAbove(std::max(ShownCell.width(), ShownCell.height()));
    SetViewerZoom(TViewerZoom::AtStep(std::min(above, LargestZoomStep())));
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

// The picture of the cell is drawn off-screen in CellBitmap, in the painted device's pixels,
// over the item's background (the highlight colour when selected), so transparent pixels show
// that background, and is then copied onto the grid 4 pixels in from the item's corner. At a
// step above Actual Size the images grow by the whole multiple the cell has grown by. The
// labels stand under the picture, elided in the middle. A damaged image leaves the cell empty
// but for the damaged mark.
void TMain::lbxViewerDrawItem(QPainter& canvas, int index, const QRect& rect, bool selected) {
    const QPalette& colours = lbxViewer->palette();
    const QColor brush =
        colours.color(QPalette::Active, selected ? QPalette::Highlight : QPalette::Base);
    const double ratio = canvas.device() ? canvas.device()->devicePixelRatioF() : 1.0;
    SizeCellBitmap(ratio);
    const TLoadedIconImage& image = lbxViewer->Item(index);
    TCanvas& cell = CellBitmap->Canvas();
    cell.BrushColor = ToTColor(brush);
    cell.FillRect(0, 0, CellBitmap->Width(), CellBitmap->Height());
    const int multiple = ViewerZoom.Mode == TViewerZoom::TMode::Step
                             ? CellMultiple(std::max(ShownCell.width(), ShownCell.height()),
                                            std::max(CellWidth, CellHeight))
                             : 1;
    DrawCellImage(image, *CellBitmap,
                  ScaleInCell(image.PixelWidth(), image.PixelHeight(), multiple, ratio,
                              CellBitmap->Width(), CellBitmap->Height()));
    canvas.fillRect(rect, brush);
    QImage picture = BitmapToQImage(*CellBitmap);
    picture.setDevicePixelRatio(ratio);
    canvas.drawImage(rect.topLeft() + QPoint(kCellMargin, kCellMargin), picture);
    if (ShowLabels) DrawLabels(canvas, image, rect, selected);
    if (!image.Damage().empty()) DrawDamagedMark(canvas, rect);
}

void TMain::DrawLabels(QPainter& canvas, const TLoadedIconImage& image, const QRect& rect,
                       bool selected) {
    canvas.save();
    canvas.setFont(CellLabelFont());
    canvas.setPen(lbxViewer->palette().color(
        QPalette::Active, selected ? QPalette::HighlightedText : QPalette::Text));
    const QFontMetrics metrics(canvas.font());
    // Under the picture, from its left edge, as wide as the widest label where the item has room.
    const int width =
        std::min(rect.width() - 2 * kCellMargin, std::max(ShownCell.width(), ShownLabelWidth));
    QRect line(rect.left() + kCellMargin, rect.top() + kCellMargin + ShownCell.height(), width,
               metrics.height());
    for (const QString& text : CellLabel(image, LabelsNameFiles)) {
        canvas.drawText(line, Qt::AlignHCenter | Qt::AlignTop,
                        metrics.elidedText(text, Qt::ElideMiddle, line.width()));
        line.translate(0, metrics.height());
    }
    canvas.restore();
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

void TMain::ShowLabels1Click() {
    ShowLabels = !ShowLabels;
    std::vector<TLoadedIconImage*> shown;
    for (int index = 0; index < lbxViewer->Count(); ++index)
        shown.push_back(&lbxViewer->Item(index));
    MeasureShown(shown);
    ResizeViewer();
    lbxViewer->KeepCaretInView();
    lbxViewer->viewport()->update();
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
