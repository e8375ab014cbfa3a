#include "icons/StraightAlpha.h"

#include <algorithm>

#include "icons/Rendering.h"

namespace {

TBitmap BlackBitmap(const TLoadedIconImage& image) {
    TBitmap bitmap(image.PixelWidth(), image.PixelHeight(), TPixelFormat::pf24bit);
    bitmap.Canvas().BrushColor = clBlack;
    bitmap.Canvas().FillRect(0, 0, bitmap.Width(), bitmap.Height());
    return bitmap;
}

// White where the mask is opaque, black where it is transparent.
TBitmap OpaqueArea(TLoadedIconImage& image) {
    TBitmap opaque = BlackBitmap(image);
    DrawMaskInverted(image, opaque.Canvas(), 0, 0);
    return opaque;
}

// The colour rows as stored for 32 bits (the alpha byte set aside), the image drawn over black
// otherwise; the colour of a transparent pixel does not matter.
TBitmap OwnColours(TLoadedIconImage& image) {
    if (image.BitCount != 32) return DrawOverBackground(image, clBlack);
    TBitmap colours = BlackBitmap(image);
    DrawImageChannel(image, colours.Canvas(), 0, 0);
    return colours;
}

}  // namespace

TRgbaImage StraightAlphaImage(TLoadedIconImage& Image) {
    const TBitmap colours = OwnColours(Image);
    const TBitmap opaque = OpaqueArea(Image);
    TBitmap alpha = BlackBitmap(Image);
    if (Image.BitCount == 32) DrawAlphaChannel(Image, alpha.Canvas(), 0, 0);
    TRgbaImage rgba{colours.Width(), colours.Height(), {}};
    rgba.Pixels.resize(static_cast<std::size_t>(rgba.Width) * rgba.Height * 4);
    std::uint8_t* out = rgba.Pixels.data();
    for (int y = 0; y < rgba.Height; ++y) {
        const std::uint8_t* colour = colours.ScanLine(y);
        const std::uint8_t* mask = opaque.ScanLine(y);
        const std::uint8_t* level = alpha.ScanLine(y);
        for (int x = 0; x < rgba.Width; ++x, colour += 3, mask += 3, level += 3, out += 4) {
            out[0] = colour[2];
            out[1] = colour[1];
            out[2] = colour[0];
            out[3] = Image.BitCount == 32 ? std::min(mask[0], level[0]) : mask[0];
        }
    }
    return rgba;
}
