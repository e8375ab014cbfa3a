#include "ui/viewer/ViewerZoom.h"

#include <algorithm>
#include <array>

namespace {

// Past 256 the steps go on as below it, by half and by a third in turn, up to 8 x 256.
constexpr std::array<int, 14> kSteps = {16,  24,  32,  48,  64,   96,   128,
                                        256, 384, 512, 768, 1024, 1536, 2048};
constexpr std::size_t kShareTenths = 9;  // Fit sizes cells for nine tenths of the images

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
    return number ? TViewerZoom::AtStep(RepairedStep(pixels)) : TViewerZoom::Fit();
}

int RepairedStep(int pixels) {
    return LargestStepWithin(pixels);
}

int LargestStepWithin(int limit) {
    const auto above = std::upper_bound(kSteps.begin(), kSteps.end(), limit);
    return above == kSteps.begin() ? kSteps.front() : *(above - 1);
}

int ShareSide(std::vector<int> sides) {
    if (sides.empty()) return kSteps.front();
    // ceil(0.9 x n), counted in whole numbers.
    const std::size_t position = (kShareTenths * sides.size() + 9) / 10;
    const auto at = sides.begin() + static_cast<std::ptrdiff_t>(position - 1);
    std::nth_element(sides.begin(), at, sides.end());
    return *at;
}

int FitItemHeight(int side, int extra, int room) {
    const int rows = std::max(1, room / std::max(1, side + extra));
    return std::max(kSteps.front() + extra, room / rows);
}

int SmallestStep() {
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
