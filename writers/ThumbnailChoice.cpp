#include "writers/ThumbnailChoice.h"

namespace {

// Whether a beats the chosen image b for a picture of Size pixels.
bool Better(const TLoadedIconImage& a, const TLoadedIconImage& b, int size) {
    const int aw = a.PixelWidth();
    const int bw = b.PixelWidth();
    if (aw != bw) {
        const bool aLarge = aw >= size;
        const bool bLarge = bw >= size;
        if (aLarge != bLarge) return aLarge;
        return aLarge ? aw < bw : aw > bw;
    }
    return a.BitCount > b.BitCount;
}

}  // namespace

const TLoadedIconImage* ChooseThumbnailImage(const TLoadedIcon& Icon, int Size) {
    if (Icon.Images.empty()) return nullptr;
    const std::string& firstIcon = Icon.Images.front()->ResourceName;
    const TLoadedIconImage* chosen = nullptr;
    for (const std::unique_ptr<TLoadedIconImage>& image : Icon.Images) {
        if (image->ResourceName != firstIcon) continue;
        if (!chosen || Better(*image, *chosen, Size)) chosen = image.get();
    }
    return chosen;
}
