#include "ui/viewer/ViewerZoom.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array<int, 8> kSteps = {16, 24, 32, 48, 64, 96, 128, 256};

bool IsStep(int pixels) {
    return std::find(kSteps.begin(), kSteps.end(), pixels) != kSteps.end();
}

}  // namespace

QString ZoomText(const TViewerZoom& zoom) {
    switch (zoom.Mode) {
        case TViewerZoom::TMode::Actual:
            return QStringLiteral("actual");
        case TViewerZoom::TMode::Step:
            return QString::number(zoom.Step);
        case TViewerZoom::TMode::Fit:
            break;
    }
    return QStringLiteral("fit");
}

TViewerZoom ZoomFromText(const QString& text) {
    const QString word = text.trimmed().toLower();
    if (word == QStringLiteral("actual")) return TViewerZoom::Actual();
    bool number = false;
    const int pixels = word.toInt(&number);
    return number && IsStep(pixels) ? TViewerZoom::AtStep(pixels) : TViewerZoom::Fit();
}

int SmallestStep() {
    return kSteps.front();
}

int FitStep(int cellSide, const std::function<bool(int step)>& fits) {
    for (auto step = kSteps.rbegin(); step != kSteps.rend(); ++step) {
        if (*step <= cellSide && fits(*step)) return *step;
    }
    return kSteps.front();
}

int StepAbove(int shown) {
    const auto above = std::upper_bound(kSteps.begin(), kSteps.end(), shown);
    return above == kSteps.end() ? kSteps.back() : *above;
}

int StepBelow(int shown) {
    const auto atOrAbove = std::lower_bound(kSteps.begin(), kSteps.end(), shown);
    return atOrAbove == kSteps.begin() ? kSteps.front() : *(atOrAbove - 1);
}
