#include "toolkit/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cstdint>

namespace {

// A length from two edges, without overflow for any pair of hand-edited numbers.
int Span(int from, int to, int most) {
    const std::int64_t length = std::int64_t{to} - from;
    return static_cast<int>(std::clamp<std::int64_t>(length, 0, most));
}

bool OnSomeScreen(const QRect& rect) {
    const QList<QScreen*> screens = QGuiApplication::screens();
    return std::any_of(screens.begin(), screens.end(),
                       [&](const QScreen* screen) { return screen->geometry().intersects(rect); });
}

QSize DesktopSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->virtualSize() : QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
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

void ApplyNormalRect(QWidget& window, const TPlacementNumbers& rect) {
    const QSize desktop = DesktopSize();
    const int width = Span(rect[0], rect[2], desktop.width());
    const int height = Span(rect[1], rect[3], desktop.height());
    if (width == 0 || height == 0) return;
    const QRect wanted(rect[0], rect[1], width, height);
    if (OnSomeScreen(wanted)) {
        window.setGeometry(wanted);
    } else {
        window.resize(wanted.size());
    }
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
