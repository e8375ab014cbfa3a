#include "ui/viewer/ViewerGrid.h"

#include <QAbstractItemDelegate>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "toolkit/GuardedPaint.h"
#include "ui/viewer/ViewerItems.h"

namespace {

// Hands every item to the grid's drawing and adds the focus rectangle around the caret item
// while the grid has the keyboard focus.
class TViewerDelegate : public QAbstractItemDelegate {
public:
    explicit TViewerDelegate(TViewerGrid* grid) : QAbstractItemDelegate(grid), grid_(grid) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const bool selected = option.state & QStyle::State_Selected;
        grid_->DrawItem(*painter, index.row(), option.rect, selected);
        if (!(option.state & QStyle::State_HasFocus)) return;
        QStyleOptionFocusRect focus;
        focus.initFrom(grid_);
        focus.rect = option.rect;
        focus.state |= QStyle::State_KeyboardFocusChange;
        focus.backgroundColor =
            grid_->palette().color(selected ? QPalette::Highlight : QPalette::Base);
        grid_->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, grid_);
    }

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
        return grid_->ItemSize();
    }

private:
    TViewerGrid* grid_;
};

}  // namespace

TViewerGrid::TViewerGrid(QWidget* parent) : QListView(parent), items_(new TViewerItems(this)) {
    setModel(items_);
    setItemDelegate(new TViewerDelegate(this));
    setViewMode(QListView::ListMode);
    setFlow(QListView::TopToBottom);
    setMovement(QListView::Static);
    setResizeMode(QListView::Adjust);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setSpacing(0);
    // The grid is disabled while it is empty; it keeps the window colour then too.
    QPalette colours = palette();
    colours.setColor(QPalette::Disabled, QPalette::Base,
                     colours.color(QPalette::Active, QPalette::Base));
    setPalette(colours);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TViewerGrid::SelectionChanged);
    connect(items_, &QAbstractItemModel::modelReset, this, &TViewerGrid::SelectionChanged);
    ApplyLayout();
}

void TViewerGrid::SetDrawItem(TDrawItem draw) {
    draw_ = std::move(draw);
}

void TViewerGrid::DrawItem(QPainter& canvas, int index, const QRect& rect, bool selected) const {
    if (draw_) GuardedPaint([&] { draw_(canvas, index, rect, selected); });
}

int TViewerGrid::Count() const {
    return items_->rowCount();
}

TLoadedIconImage& TViewerGrid::Item(int index) const {
    return items_->Image(index);
}

void TViewerGrid::SetItems(std::vector<TLoadedIconImage*> images) {
    anchor_ = QPersistentModelIndex();
    items_->SetImages(std::move(images));
    ScrollHome();
}

void TViewerGrid::Clear() {
    anchor_ = QPersistentModelIndex();
    items_->Clear();
    ScrollHome();
}

void TViewerGrid::SetItemHeight(int height) {
    itemHeight_ = std::max(1, height);
    ApplyLayout();
}

void TViewerGrid::SetColumns(int columns) {
    columns_ = std::max(0, columns);
    columnWidth_ = columns_ > 0 ? std::max(1, (width() + columns_ - 3) / columns_) : 0;
    ApplyLayout();
}

QSize TViewerGrid::ItemSize() const {
    const int w = columns_ > 0 ? columnWidth_ : viewport()->width();
    return QSize(std::max(1, w), itemHeight_);
}

// The list starts a new column as soon as an item would reach past the bottom, even for the
// first item of a column, which would leave the first column empty. When the strip is too
// short for one whole item the cells therefore stand in one row, one per column, and the strip
// scrolls both ways.
void TViewerGrid::ApplyLayout() {
    const bool oneRow = columns_ > 0 && itemHeight_ > ColumnRoom();
    setFlow(oneRow ? QListView::LeftToRight : QListView::TopToBottom);
    setWrapping(columns_ > 0 && !oneRow);
    setGridSize(columns_ > 0 ? ItemSize() : QSize());
    scheduleDelayedItemsLayout();
}

int TViewerGrid::ColumnRoom() const {
    const int scrollBar =
        horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOff
            ? 0
            : style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, horizontalScrollBar());
    // The list starts a new column once an item reaches the viewport's bottom edge.
    return maximumViewportSize().height() - scrollBar - 1;
}

// A new grid shows its first cell, also once the list has laid its items out.
void TViewerGrid::ScrollHome() {
    homePending_ = true;
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
}

void TViewerGrid::KeepCaretInView() {
    caretPending_ = true;
    scheduleDelayedItemsLayout();
}

void TViewerGrid::doItemsLayout() {
    QListView::doItemsLayout();
    if (caretPending_) {
        caretPending_ = false;
        if (currentIndex().isValid()) scrollTo(currentIndex());
    }
    if (!homePending_) return;
    homePending_ = false;
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
}

int TViewerGrid::CaretIndex() const {
    const QModelIndex caret = currentIndex();
    return caret.isValid() ? caret.row() : -1;
}

void TViewerGrid::SetCaretIndex(int index) {
    selectionModel()->setCurrentIndex(items_->index(index), QItemSelectionModel::NoUpdate);
}

int TViewerGrid::ItemAt(const QPoint& pos) const {
    const QModelIndex at = indexAt(pos);
    return at.isValid() ? at.row() : -1;
}

QRect TViewerGrid::ItemRect(int index) const {
    return visualRect(items_->index(index));
}

int TViewerGrid::SelCount() const {
    return static_cast<int>(selectionModel()->selectedIndexes().size());
}

bool TViewerGrid::IsSelected(int index) const {
    return selectionModel()->isSelected(items_->index(index));
}

void TViewerGrid::SelectItems(const std::vector<int>& indices) {
    QItemSelection selection;
    for (int index : indices) selection.select(items_->index(index), items_->index(index));
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    viewport()->update();
}

void TViewerGrid::SelectAllItems() {
    if (Count() == 0) return;
    setUpdatesEnabled(false);
    selectionModel()->select(QItemSelection(items_->index(0), items_->index(Count() - 1)),
                             QItemSelectionModel::Select);
    setUpdatesEnabled(true);
    viewport()->update();
}

void TViewerGrid::SelectRangeTo(const QModelIndex& index) {
    const int first = std::min(anchor_.row(), index.row());
    const int last = std::max(anchor_.row(), index.row());
    QItemSelection range = pressSelection_;
    range.merge(QItemSelection(items_->index(first), items_->index(last)),
                QItemSelectionModel::Select);
    selectionModel()->select(range, QItemSelectionModel::ClearAndSelect);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
}

bool TViewerGrid::HoldsPress(const QMouseEvent& event) const {
    if (event.button() != Qt::LeftButton || event.modifiers() != Qt::NoModifier) return false;
    const QModelIndex at = indexAt(event.pos());
    return at.isValid() && selectionModel()->isSelected(at);
}

void TViewerGrid::SelectAnchor() {
    selectionModel()->select(anchor_, QItemSelectionModel::ClearAndSelect);
    selectionModel()->setCurrentIndex(anchor_, QItemSelectionModel::NoUpdate);
}

void TViewerGrid::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        emit MouseDown(Qt::RightButton, event->pos());
        return;
    }
    heldPress_ = HoldsPress(*event);
    if (heldPress_) {
        anchor_ = indexAt(event->pos());
        pressSelection_ = QItemSelection();
        selectionModel()->setCurrentIndex(anchor_, QItemSelectionModel::NoUpdate);
        emit MouseDown(Qt::LeftButton, event->pos());
        return;
    }
    QListView::mousePressEvent(event);
    if (event->button() != Qt::LeftButton) return;
    if (!(event->modifiers() & Qt::ShiftModifier) || !anchor_.isValid()) {
        anchor_ = indexAt(event->pos());
    }
    pressSelection_ = (event->modifiers() & Qt::ControlModifier) ? selectionModel()->selection()
                                                                 : QItemSelection();
    emit MouseDown(Qt::LeftButton, event->pos());
}

void TViewerGrid::mouseMoveEvent(QMouseEvent* event) {
    if (heldPress_ && (event->buttons() & Qt::LeftButton)) {
        if (!viewport()->rect().contains(event->pos())) {
            heldPress_ = false;
            emit DragOut();
            return;
        }
        const QModelIndex at = indexAt(event->pos());
        if (!at.isValid() || at == anchor_) return;
        heldPress_ = false;
        SelectAnchor();
    }
    if ((event->buttons() & Qt::LeftButton) && anchor_.isValid()) {
        const QModelIndex at = indexAt(event->pos());
        if (at.isValid() && at != currentIndex()) SelectRangeTo(at);
    }
    emit MouseMove(event->pos());
}

void TViewerGrid::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    if (heldPress_) {
        heldPress_ = false;
        SelectAnchor();
    } else {
        QListView::mouseReleaseEvent(event);
    }
    emit MouseUp(Qt::LeftButton);
    emit Click();
}

void TViewerGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    QListView::mouseDoubleClickEvent(event);
    emit DoubleClick();
}

// A move with Shift selects the range from the anchor to the caret in item order, as a
// Shift click does; a move without it makes the caret the anchor.
void TViewerGrid::keyPressEvent(QKeyEvent* event) {
    if (KeyCommand(*event)) return;
    const QModelIndex before = currentIndex();
    QListView::keyPressEvent(event);
    if (currentIndex() == before) return;
    if (event->modifiers() & Qt::ShiftModifier) {
        if (!anchor_.isValid()) anchor_ = before.isValid() ? before : currentIndex();
        pressSelection_ = QItemSelection();
        SelectRangeTo(currentIndex());
    } else {
        anchor_ = currentIndex();
    }
    emit Click();
}

bool TViewerGrid::KeyCommand(const QKeyEvent& event) {
    if (event.matches(QKeySequence::SelectAll)) {
        SelectAllItems();
        return true;
    }
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    const bool enter = event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
    if (enter && modifiers == Qt::NoModifier) {
        emit DoubleClick();
        return true;
    }
    if ((event.key() == Qt::Key_Menu && modifiers == Qt::NoModifier) ||
        (event.key() == Qt::Key_F10 && modifiers == Qt::ShiftModifier)) {
        emit PopupRequest();
        return true;
    }
    return false;
}

QModelIndex TViewerGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    if ((action != MovePageUp && action != MovePageDown) || Count() == 0)
        return QListView::moveCursor(action, modifiers);
    const int caret = std::max(0, CaretIndex());
    const int target = action == MovePageDown ? std::min(Count() - 1, caret + PageItems())
                                              : std::max(0, caret - PageItems());
    return items_->index(target);
}

int TViewerGrid::PageItems() const {
    const int perColumn = std::max(1, viewport()->height() / itemHeight_);
    const int columns = columns_ > 0 ? std::max(1, viewport()->width() / columnWidth_) : 1;
    return perColumn * columns;
}

// One zoom step for each notch of the wheel turned with Ctrl held.
void TViewerGrid::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QListView::wheelEvent(event);
        return;
    }
    constexpr int kNotch = 120;
    wheelZoom_ += event->angleDelta().y();
    for (; wheelZoom_ >= kNotch; wheelZoom_ -= kNotch) emit ZoomWheel(1);
    for (; wheelZoom_ <= -kNotch; wheelZoom_ += kNotch) emit ZoomWheel(-1);
    event->accept();
}

void TViewerGrid::resizeEvent(QResizeEvent* event) {
    QListView::resizeEvent(event);
    emit Resized();
}
