#include "ui/widgets/AnchorPanel.h"

#include <QResizeEvent>
#include <algorithm>
#include <utility>

namespace {

// One axis: start and length of a child given its designed start and length, the designed
// and the current extent of the panel, and whether it is anchored at the start and the end.
std::pair<int, int> Span(int start, int length, int designExtent, int extent, bool atStart,
                         bool atEnd) {
    const int endDistance = designExtent - (start + length);
    if (atStart && atEnd) return {start, std::max(0, extent - endDistance - start)};
    if (atEnd) return {extent - endDistance - length, length};
    return {start, length};
}

}  // namespace

TAnchorPanel::TAnchorPanel(QSize designSize, QWidget* parent)
    : QWidget(parent), designSize_(designSize) {
    resize(designSize);
}

void TAnchorPanel::Anchor(QWidget* child, const QRect& designed, unsigned anchors) {
    child->setParent(this);
    anchored_.push_back({child, designed, anchors});
    child->setGeometry(BoundsOf(anchored_.back()));
}

QRect TAnchorPanel::BoundsOf(const TAnchored& item) const {
    const QRect& d = item.Designed;
    auto [x, w] = Span(d.x(), d.width(), designSize_.width(), width(), item.Anchors & akLeft,
                       item.Anchors & akRight);
    auto [y, h] = Span(d.y(), d.height(), designSize_.height(), height(), item.Anchors & akTop,
                       item.Anchors & akBottom);
    return QRect(x, y, w, h);
}

void TAnchorPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    for (const TAnchored& item : anchored_) {
        if (item.Child) item.Child->setGeometry(BoundsOf(item));
    }
    emit Resized();
}
