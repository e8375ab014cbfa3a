#include "writers/Thumbnail.h"

#include <algorithm>

#include "writers/AreaScale.h"
#include "writers/ExportRun.h"
#include "writers/PngUnit.h"
#include "writers/RgbaImage.h"

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
    TRgbaImage pixels = StraightRgba(Image);
    const TPictureSize fitted = FitWithin(pixels.Width, pixels.Height, Size, Size);
    if (fitted.Width != pixels.Width || fitted.Height != pixels.Height)
        pixels = ScaleDownByArea(pixels, fitted.Width, fitted.Height);
    TPngBuffer buffer(pixels.Width, pixels.Height);
    std::copy(pixels.Pixels.begin(), pixels.Pixels.end(), buffer.Pixels.begin());
    WritePngFile(buffer, FileName, clWhite, false);
}
