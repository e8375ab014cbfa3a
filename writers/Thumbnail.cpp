#include "writers/Thumbnail.h"

#include <algorithm>

#include "writers/AreaScale.h"
#include "writers/ExportRun.h"
#include "writers/PngUnit.h"

namespace {

int LongerSide(const TLoadedIconImage& image) {
    return std::max(image.PixelWidth(), image.PixelHeight());
}

// Images known only through the shell, and bit counts no drawing supports, show nothing.
bool Drawable(const TLoadedIconImage& image) {
    if (image.IsSystemIcon) return false;
    switch (image.BitCount) {
        case 1:
        case 4:
        case 8:
        case 16:
        case 24:
        case 32:
            return true;
        default:
            return false;
    }
}

// Whether a fits a thumbnail of `size` better than b.
bool Better(const TLoadedIconImage& a, const TLoadedIconImage& b, int size) {
    int sideA = LongerSide(a);
    int sideB = LongerSide(b);
    if (sideA != sideB) {
        bool largeA = sideA >= size;
        bool largeB = sideB >= size;
        if (largeA != largeB) return largeA;
        return largeA ? sideA < sideB : sideA > sideB;
    }
    return a.BitCount > b.BitCount;
}

}  // namespace

TLoadedIconImage* ChooseThumbnailImage(const TLoadedIcon& Icon, int Size) {
    if (Icon.Images.empty()) return nullptr;
    const std::string first = IconKey(*Icon.Images.front());
    TLoadedIconImage* best = nullptr;
    for (const auto& image : Icon.Images) {
        if (IconKey(*image) != first || !Drawable(*image)) continue;
        if (!best || Better(*image, *best, Size)) best = image.get();
    }
    return best;
}

void SaveThumbnail(TLoadedIconImage& Image, int Size, const std::string& FileName) {
    TRgbaImage pixels = StraightAlphaImage(Image);
    int side = LongerSide(Image);
    if (side > Size) {
        int width = std::max(1, Image.PixelWidth() * Size / side);
        int height = std::max(1, Image.PixelHeight() * Size / side);
        pixels = ScaleDownByArea(pixels, width, height);
    }
    WritePngFile(TPngBuffer(pixels), FileName, clWhite, false);
}
