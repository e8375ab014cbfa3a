#include "writers/DrawnMask.h"

#include "icons/Rendering.h"

TBitmap DrawnMask(TLoadedIconImage& Image) {
    TBitmap overBlack = DrawOverBackground(Image, clBlack);
    TBitmap overWhite = DrawOverBackground(Image, clWhite);
    TBitmap mask(Image.PixelWidth(), Image.PixelHeight(), TPixelFormat::pf1bit);
    for (int y = 0; y < mask.Height(); ++y) {
        for (int x = 0; x < mask.Width(); ++x) {
            bool transparent = overBlack.RawPixel(x, y) != overWhite.RawPixel(x, y);
            mask.SetRawPixel(x, y, transparent ? 1u : 0u);
        }
    }
    return mask;
}
