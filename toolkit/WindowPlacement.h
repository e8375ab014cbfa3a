#pragma once

#include <array>

class QRect;
class QScreen;
class QWidget;

// Four numbers of a placement: a rectangle's left, top, right and bottom, or two points.
using TPlacementNumbers = std::array<int, 4>;

// Show states and flags of a window placement, with the values Windows gives them.
constexpr int kShowNormal = 1;
constexpr int kShowMinimized = 2;
constexpr int kShowMaximized = 3;
constexpr int kRestoreToMaximized = 2;  // flag: a minimised window comes back maximised

// Where a top-level window stands and in what state.
struct TWindowPlacement {
    int Flags = 0;
    int ShowCmd = kShowNormal;
    // Minimised and maximised positions; Qt places those itself, so they are never set.
    TPlacementNumbers MinMaxPos{-1, -1, -1, -1};
    // The normal (restored) rectangle of the window's client area.
    TPlacementNumbers NormPos{};
};

TWindowPlacement CapturePlacement(const QWidget& window);

// Gives the window the normal rectangle. A rectangle with no width or height is ignored; one
// that reaches past the available area of the screen it opens on is moved and cut to lie
// within it; one that lies off every screen only sets the size (cut to the primary screen),
// so the window never ends up out of reach.
void ApplyNormalRect(QWidget& window, const TPlacementNumbers& rect);

// The area of a screen that a window's client area may take: the screen minus its panels and
// the window's frame (the frame of the window it belongs to while its own is not known yet).
QRect WindowArea(const QWidget& window, const QScreen& screen);

// Minimised for show codes 2, 6 and 7 (maximised beneath when flags say so), maximised for 3,
// normal for any other code.
void ApplyShowCmd(QWidget& window, int showCmd, int flags);
