#include "icons/IconFilter.h"

namespace {

bool IsSquare(const TLoadedIconImage& image, int side) {
    return image.Width == side && image.Height == side;
}

bool SizePasses(const TIconFilter& filter, const TLoadedIconImage& image) {
    const bool is16 = IsSquare(image, 16);
    const bool is32 = IsSquare(image, 32);
    const bool is48 = IsSquare(image, 48);
    return (filter.Show16x16 && is16) || (filter.Show32x32 && is32) || (filter.Show48x48 && is48) ||
           (filter.ShowOtherSizes && !is16 && !is32 && !is48);
}

bool DepthPasses(const TIconFilter& filter, const TLoadedIconImage& image) {
    switch (image.BitCount) {
        case 1:
            return filter.ShowMonochrome;
        case 4:
            return filter.Show16Color;
        case 8:
            return filter.Show256Color;
        case 24:
            return filter.Show24BitColor;
        case 32:
            return filter.Show32BitColor;
        default:
            return false;
    }
}

}  // namespace

bool ImagePassesFilter(const TIconFilter& filter, const TLoadedIconImage& image) {
    if (filter.ShowAllIcons) return true;
    return SizePasses(filter, image) && DepthPasses(filter, image);
}
