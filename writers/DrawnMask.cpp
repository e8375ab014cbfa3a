#include "writers/DrawnMask.h"

#include "icons/Rendering.h"

namespace {

TBitmap DrawnOver(TLoadedIconImage& image, TColor background) {
    TBitmap bitmap(image.PixelWidth(), image.PixelHeight(), TPixelFormat::pf24bit);
    bitmap.Canvas().BrushColor = background;
    bitmap.Canvas().FillRect(0, 0, bitmap.Width(), bitmap.Height());
    DrawIconImage(image, bitmap.Canvas(), 0, 0, background);
    return bitmap;
}

}  // namespace

TBitmap DrawnMask(TLoadedIconImage& Image) {
    TBitmap overBlack = DrawnOver(Image, clBlack);
    TBitmap overWhite = DrawnOver(Image, clWhite);
    TBitmap mask(Image.PixelWidth(), Image.PixelHeight(), TPixelFormat::pf1bit);
    for (int y = 0; y < mask.Height(); ++y) {
        for (int x = 0; x < mask.Width(); ++x) {
            bool transparent = overBlack.RawPixel(x, y) != overWhite.RawPixel(x, y);
            mask.SetRawPixel(x, y, transparent ? 1u : 0u);
        }
    }
    return mask;
}
