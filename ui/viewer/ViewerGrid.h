#pragma once

#include <QListView>
#include <QPersistentModelIndex>
#include <functional>
#include <vector>

#include "icons/LoadedIcon.h"

class TViewerItems;

// The viewer grid: an owner-drawn list of images in cells of one size. Items run down a column
// and on into the next column to the right, and the strip scrolls sideways; with no columns it
// is one vertical column. Selection is extended: a click selects one cell, Shift extends from
// the anchor, Ctrl toggles, dragging with the button held selects the range from the anchor,
// the arrow keys move the caret, Page Up and Page Down by a screen of cells, Home and End to
// the ends, Shift extending the range from the anchor; Ctrl+A selects every cell. A right
// click reaches the owner without touching the selection. Each cell's tool-tip says what it is. A
// press on a selected cell keeps the selection until the pointer either leaves the grid, which
// drags the selection out (DragOut), or is released or moved onto another cell, which selects as
// any press does.
class TViewerGrid : public QListView {
    Q_OBJECT
public:
    // Draws item `index` into rect; selected tells which background the item takes.
    using TDrawItem =
        std::function<void(QPainter& canvas, int index, const QRect& rect, bool selected)>;

    explicit TViewerGrid(QWidget* parent = nullptr);

    void SetDrawItem(TDrawItem draw);
    void DrawItem(QPainter& canvas, int index, const QRect& rect, bool selected) const;

    int Count() const;
    TLoadedIconImage& Item(int index) const;
    void SetItems(std::vector<TLoadedIconImage*> images);
    void Clear();

    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int height);
    // Number of columns the grid's width is split into; 0 makes one vertical column. Each
    // column is then (width + columns - 3) div columns pixels wide, at least 1.
    int Columns() const { return columns_; }
    int ColumnWidth() const { return columnWidth_; }
    void SetColumns(int columns);
    // Size of one item's rectangle.
    QSize ItemSize() const;
    // The height a column has for its items, with room left for the sideways scroll bar: an
    // item of this height or less stands whole in a column.
    int ColumnRoom() const;
    // Scrolls the caret cell into view once the items have been laid out anew.
    void KeepCaretInView();

    // The item with the caret, or -1.
    int CaretIndex() const;
    // Moves the caret without changing which items are selected.
    void SetCaretIndex(int index);
    // The existing item under a point of the grid, or -1.
    int ItemAt(const QPoint& pos) const;
    QRect ItemRect(int index) const;
    int SelCount() const;
    bool IsSelected(int index) const;
    // Selects every item with redrawing suspended, then redraws once.
    void SelectAllItems();
    // Selects exactly the items given.
    void SelectItems(const std::vector<int>& indices);

signals:
    void MouseDown(Qt::MouseButton button, const QPoint& pos);
    void MouseMove(const QPoint& pos);
    void MouseUp(Qt::MouseButton button);
    // A click, or a change of the caret by the keyboard.
    void Click();
    // A double click, or Enter.
    void DoubleClick();
    // The Menu key or Shift+F10: the pop-up menu at the caret cell.
    void PopupRequest();
    // Ctrl and the wheel: steps above 0 zoom in, below 0 out.
    void ZoomWheel(int steps);
    // The selection changed, or the items did.
    void SelectionChanged();
    void Resized();
    // The button went down on a selected cell and the pointer then left the grid.
    void DragOut();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void resizeEvent(QResizeEvent* event) override;
    void doItemsLayout() override;

private:
    void ApplyLayout();
    // Enter, the menu keys and Select All, which the list itself does not give as wanted.
    bool KeyCommand(const QKeyEvent& event);
    // The cells of a screen: the columns in view times the cells a column shows.
    int PageItems() const;
    void ScrollHome();
    void SelectRangeTo(const QModelIndex& index);
    // Whether a press holds back its selection: a plain left press on a selected cell.
    bool HoldsPress(const QMouseEvent& event) const;
    // The selection a held-back press makes: the anchor cell alone.
    void SelectAnchor();

    TViewerItems* items_;
    TDrawItem draw_;
    int itemHeight_ = 24;
    int columns_ = 0;
    int columnWidth_ = 0;
    bool homePending_ = false;
    bool caretPending_ = false;
    int wheelZoom_ = 0;
    QPersistentModelIndex anchor_;
    QItemSelection pressSelection_;
    bool heldPress_ = false;
};
