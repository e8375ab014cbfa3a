#include "writers/DeepestImage.h"

int RankedDepth(const TLoadedIconImage& Image) {
    return Image.PngData().empty() ? Image.BitCount : 32;
}

TLoadedIconImage* DeepestOfSize(const std::vector<TLoadedIconImage*>& Images, int Size) {
    TLoadedIconImage* deepest = nullptr;
    for (TLoadedIconImage* image : Images) {
        if (image->PixelWidth() != Size || image->PixelHeight() != Size) continue;
        if (image->IsSystemIcon || !image->Damage().empty()) continue;
        if (!deepest || RankedDepth(*image) > RankedDepth(*deepest)) deepest = image;
    }
    return deepest;
}
