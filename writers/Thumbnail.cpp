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

// The best drawable, sound image, of the first icon only or of every icon.
TLoadedIconImage* BestImage(const TLoadedIcon& icon, int size, bool firstIconOnly) {
    const std::string first = IconKey(*icon.Images.front());
    TLoadedIconImage* best = nullptr;
    for (const auto& image : icon.Images) {
        if (firstIconOnly && IconKey(*image) != first) continue;
        if (!Drawable(*image) || !image->Damage().empty()) continue;
        if (!best || Better(*image, *best, size)) best = image.get();
    }
    return best;
}

}  // namespace

TLoadedIconImage* ChooseThumbnailImage(const TLoadedIcon& Icon, int Size) {
    if (Icon.Images.empty()) return nullptr;
    TLoadedIconImage* best = BestImage(Icon, Size, true);
    return best ? best : BestImage(Icon, Size, false);
}

void SaveThumbnail(TLoadedIconImage& Image, int Size, const std::string& FileName) {
    TRgbaImage pixels = StraightAlphaImage(Image);
    const TPictureSize fitted = FitWithin(pixels.Width, pixels.Height, Size, Size);
    if (fitted.Width != pixels.Width || fitted.Height != pixels.Height)
        pixels = ScaleDownByArea(pixels, fitted.Width, fitted.Height);
    WritePngFile(TPngBuffer(pixels), FileName, clWhite, false);
}
