#pragma once

#include <QString>
#include <functional>

// How large the grid's cells are drawn: fitted to the strip (the default), at the size of the
// largest image (Actual Size), or at one of the zoom steps. Steps count device pixels.
struct TViewerZoom {
    enum class TMode { Fit, Actual, Step };
    TMode Mode = TMode::Fit;
    int Step = 0;  // the step's pixels, with TMode::Step

    static TViewerZoom Fit() { return {}; }
    static TViewerZoom Actual() { return {TMode::Actual, 0}; }
    static TViewerZoom AtStep(int step) { return {TMode::Step, step}; }
    friend bool operator==(const TViewerZoom&, const TViewerZoom&) = default;
};

// The zoom as it is stored: "fit", "actual" or the step's pixels. A text that names none of
// them (an unknown number included) reads as Fit.
QString ZoomText(const TViewerZoom& zoom);
TViewerZoom ZoomFromText(const QString& text);

int SmallestStep();
// The largest step not above cellSide for which fits(step) holds; the smallest step if none.
int FitStep(int cellSide, const std::function<bool(int step)>& fits);
// The next step above, or below, a side of `shown` pixels; the largest, or smallest, step at
// the ends.
int StepAbove(int shown);
int StepBelow(int shown);
