#include "toolkit/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cstdint>

namespace {

// A length from two edges, without overflow for any pair of hand-edited numbers.
int Span(int from, int to, int most) {
    const std::int64_t length = std::int64_t{to} - from;
    return static_cast<int>(std::clamp<std::int64_t>(length, 0, most));
}

// The screen a rectangle opens on: the one it overlaps most, or none when it lies off every
// screen.
const QScreen* ScreenOf(const QRect& rect) {
    const QScreen* best = nullptr;
    std::int64_t bestArea = 0;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect common = screen->geometry().intersected(rect);
        const std::int64_t area = std::int64_t{common.width()} * common.height();
        if (area > bestArea) {
            best = screen;
            bestArea = area;
        }
    }
    return best;
}

// The rectangle moved and cut so it lies within the area.
QRect Inside(const QRect& rect, const QRect& area) {
    const QSize size = rect.size().boundedTo(area.size());
    const int left = std::clamp(rect.left(), area.left(), area.right() + 1 - size.width());
    const int top = std::clamp(rect.top(), area.top(), area.bottom() + 1 - size.height());
    return QRect(QPoint(left, top), size);
}

QMargins FrameOf(const QWidget& window) {
    const QRect outer = window.frameGeometry();
    const QRect inner = window.geometry();
    return QMargins(inner.left() - outer.left(), inner.top() - outer.top(),
                    outer.right() - inner.right(), outer.bottom() - inner.bottom());
}

}  // namespace

TWindowPlacement CapturePlacement(const QWidget& window) {
    TWindowPlacement placement;
    if (window.isMinimized()) {
        placement.ShowCmd = kShowMinimized;
        if (window.isMaximized()) placement.Flags = kRestoreToMaximized;
    } else if (window.isMaximized()) {
        placement.ShowCmd = kShowMaximized;
    }
    const QRect normal =
        window.normalGeometry().isValid() ? window.normalGeometry() : window.geometry();
    placement.NormPos = {normal.left(), normal.top(), normal.left() + normal.width(),
                         normal.top() + normal.height()};
    return placement;
}

// A placement written on another screen, or at another scale, may not fit where it opens; the
// window is kept within the available area of that screen (the primary one for a rectangle off
// every screen, which keeps its position then and takes only the size).
void ApplyNormalRect(QWidget& window, const TPlacementNumbers& rect) {
    const int width = Span(rect[0], rect[2], QWIDGETSIZE_MAX);
    const int height = Span(rect[1], rect[3], QWIDGETSIZE_MAX);
    if (width == 0 || height == 0) return;
    const QRect wanted(rect[0], rect[1], width, height);
    const QScreen* screen = ScreenOf(wanted);
    const QScreen* opensOn = screen ? screen : QGuiApplication::primaryScreen();
    const QRect area = opensOn ? WindowArea(window, *opensOn) : wanted;
    if (screen) {
        window.setGeometry(Inside(wanted, area));
    } else {
        window.resize(wanted.size().boundedTo(area.size()));
    }
}

QRect WindowArea(const QWidget& window, const QScreen& screen) {
    const QWidget* framed = window.window();
    QMargins frame = framed->windowHandle() ? framed->windowHandle()->frameMargins() : QMargins();
    if (frame.isNull() && framed->parentWidget())
        frame = FrameOf(*framed->parentWidget()->window());
    return screen.availableGeometry() - frame;
}

void ApplyShowCmd(QWidget& window, int showCmd, int flags) {
    switch (showCmd) {
        case 2:
        case 6:
        case 7:
            window.setWindowState((flags & kRestoreToMaximized) != 0
                                      ? Qt::WindowMinimized | Qt::WindowMaximized
                                      : Qt::WindowMinimized);
            break;
        case kShowMaximized:
            window.setWindowState(Qt::WindowMaximized);
            break;
        default:
            window.setWindowState(Qt::WindowNoState);
            break;
    }
}
