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

// Every stored pixel, blue, green, red and alpha turned into red, green, blue and alpha.
TRgbaImage StoredPixels(const TLoadedIconImage& image) {
    TRgbaImage rgba{image.PixelWidth(), image.PixelHeight(), {}};
    rgba.Pixels.resize(static_cast<std::size_t>(rgba.Width) * rgba.Height * 4);
    auto stride = static_cast<std::size_t>(image.ImageStride());
    for (int y = 0; y < rgba.Height; ++y) {
        const std::uint8_t* src =
            image.ImageBits().data() + static_cast<std::size_t>(rgba.Height - 1 - y) * stride;
        std::uint8_t* out = rgba.At(0, y);
        for (int x = 0; x < rgba.Width; ++x, src += 4, out += 4) {
            out[0] = src[2];
            out[1] = src[1];
            out[2] = src[0];
            out[3] = src[3];
        }
    }
    return rgba;
}

// The colour rows (1-bit ones black and white) cut out by the mask.
TRgbaImage MaskedColours(TLoadedIconImage& image) {
    TBitmap colours = BlackBitmap(image);
    DrawImageChannel(image, colours.Canvas(), 0, 0);
    TBitmap opaque = BlackBitmap(image);
    DrawMaskInverted(image, opaque.Canvas(), 0, 0);  // white where the mask is opaque
    TRgbaImage rgba{colours.Width(), colours.Height(), {}};
    rgba.Pixels.assign(static_cast<std::size_t>(rgba.Width) * rgba.Height * 4, 0);
    for (int y = 0; y < rgba.Height; ++y) {
        const std::uint8_t* colour = colours.ScanLine(y);
        const std::uint8_t* mask = opaque.ScanLine(y);
        std::uint8_t* out = rgba.At(0, y);
        for (int x = 0; x < rgba.Width; ++x, colour += 3, mask += 3, out += 4) {
            if (mask[0] == 0) continue;
            out[0] = colour[2];
            out[1] = colour[1];
            out[2] = colour[0];
            out[3] = 255;
        }
    }
    return rgba;
}

}  // namespace

TRgbaImage StraightAlphaImage(TLoadedIconImage& Image) {
    return AlphaDecides(Image) ? StoredPixels(Image) : MaskedColours(Image);
}
