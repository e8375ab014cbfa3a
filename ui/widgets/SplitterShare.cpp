#include "ui/widgets/SplitterShare.h"

#include <QEvent>
#include <QSplitter>
#include <algorithm>
#include <cmath>

TSplitterShare::TSplitterShare(QSplitter& splitter, std::function<int()> referenceLength,
                               std::function<int()> firstLeast, std::function<int()> secondLeast)
    : QObject(&splitter),
      splitter_(splitter),
      referenceLength_(std::move(referenceLength)),
      firstLeast_(std::move(firstLeast)),
      secondLeast_(std::move(secondLeast)) {
    splitter_.installEventFilter(this);
    connect(&splitter_, &QSplitter::splitterMoved, this, [this] { TakeDrag(); });
}

int TSplitterShare::SecondLength() const {
    if (pending_) return *pending_;
    return static_cast<int>(std::lround(share_ * referenceLength_()));
}

// Applied once the events that lay the splitter out have been served.
void TSplitterShare::SetSecondLength(int length) {
    pending_ = length;
    QMetaObject::invokeMethod(
        this, [this] { Apply(); }, Qt::QueuedConnection);
}

void TSplitterShare::Apply() {
    if (pending_) {
        const int reference = referenceLength_();
        if (reference <= 0 || !splitter_.isVisible()) return;
        share_ = static_cast<double>(*pending_) / reference;
        pending_.reset();
    }
    const int room = std::max(0, Length() - splitter_.handleWidth());
    const int second = SecondFor(room);
    splitter_.setSizes({room - second, second});
}

bool TSplitterShare::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &splitter_ && event->type() == QEvent::Resize) Apply();
    return false;
}

int TSplitterShare::Length() const {
    return splitter_.orientation() == Qt::Vertical ? splitter_.height() : splitter_.width();
}

// The share of the whole length, kept between the panes' least lengths while both fit; below
// that the second pane keeps what it can of its least length.
int TSplitterShare::SecondFor(int room) const {
    const int firstLeast = firstLeast_();
    const int secondLeast = secondLeast_();
    if (room >= firstLeast + secondLeast) {
        const int second = static_cast<int>(std::lround(share_ * Length()));
        return std::clamp(second, secondLeast, room - firstLeast);
    }
    return std::max(0, std::min(secondLeast, room - 1));
}

void TSplitterShare::TakeDrag() {
    const QList<int> sizes = splitter_.sizes();
    if (sizes.size() != 2 || Length() <= 0) return;
    pending_.reset();
    share_ = static_cast<double>(sizes[1]) / Length();
}
