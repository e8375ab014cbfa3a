#pragma once

// Runs one drawing step of a paint event. A paint event cannot show the error box (the box
// would repaint its owner and fail again), so a failure leaves that area undrawn rather than
// letting an exception cross the Qt event loop.
template <typename Paint>
void GuardedPaint(Paint&& paint) noexcept {
    try {
        paint();
    } catch (...) {
    }
}
