#pragma once

#include <QString>
#include <vector>

// How large the grid's cells are drawn: fitted to the strip (the default), at the size of the
// largest image (Actual Size), or at one of the zoom steps. Steps count logical pixels.
struct TViewerZoom {
    enum class TMode { Fit, Actual, Step };
    TMode Mode = TMode::Fit;
    int Step = 0;  // the step's pixels, with TMode::Step

    static TViewerZoom Fit() { return {}; }
    static TViewerZoom Actual() { return {TMode::Actual, 0}; }
    static TViewerZoom AtStep(int step) { return {TMode::Step, step}; }
    friend bool operator==(const TViewerZoom&, const TViewerZoom&) = default;
};

// The zoom as it is stored: "fit", "actual" or the step's pixels. A number is repaired to a
// step (RepairedStep); any other text reads as Fit.
QString ZoomText(const TViewerZoom& zoom);
TViewerZoom ZoomFromText(const QString& text);
// The step a stored number of pixels stands for: the largest step not above it, within the
// smallest and the largest step.
int RepairedStep(int pixels);

int SmallestStep();
// The largest step not above limit; the smallest step when none is.
int LargestStepWithin(int limit);
// The side most shown images fit: the larger sides sorted ascending, the one at 1-based
// position ceil(0.9 x n); the smallest step for none.
int ShareSide(std::vector<int> sides);
// Fit to Strip: as many rows of items `side + extra` high as the room's height takes (at least
// one), and the item height that shares the room among them; never below the smallest step.
int FitItemHeight(int side, int extra, int room);
// The next step above, or below, a side of `shown` pixels; the largest, or smallest, step at
// the ends.
int StepAbove(int shown);
int StepBelow(int shown);
