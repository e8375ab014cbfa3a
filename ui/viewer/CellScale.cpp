#include "ui/viewer/CellScale.h"

#include <algorithm>
#include <cmath>

#include "writers/AreaScale.h"

TCellScale ScaleInCell(int width, int height, int multiple, double ratio, int cellWidth,
                       int cellHeight) {
    width = std::max(1, width);
    height = std::max(1, height);
    auto fits = [&](int block) {
        return width * block <= cellWidth && height * block <= cellHeight;
    };
    for (int m = std::max(1, multiple); m >= 1; --m) {
        const int block = std::max(1, static_cast<int>(std::lround(ratio * m)));
        if (fits(block)) return {block, width * block, height * block};
    }
    // Larger than the cell in logical pixels: one device pixel each while that fits, else
    // scaled down to the cell.
    if (fits(1)) return {1, width, height};
    const TPictureSize fitted =
        FitWithin(width, height, std::max(1, cellWidth), std::max(1, cellHeight));
    return {0, fitted.Width, fitted.Height};
}

int CellMultiple(int shown, int actual) {
    return std::max(1, shown / std::max(1, actual));
}

int DeviceSide(int logical, double ratio) {
    return static_cast<int>(std::ceil(logical * ratio - 1e-9));
}
