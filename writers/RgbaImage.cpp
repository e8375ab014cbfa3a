#include "writers/RgbaImage.h"

#include <algorithm>
#include <optional>

#include "icons/Rendering.h"

namespace {

// The alpha bytes of a 32-bit image as a grey bitmap; nothing when every one is 0. Such
// images come from before alpha was used, and show through their mask alone.
std::optional<TBitmap> UsedAlpha(TLoadedIconImage& image) {
    if (image.BitCount != 32) return std::nullopt;
    TBitmap alpha(image.PixelWidth(), image.PixelHeight(), TPixelFormat::pf24bit);
    alpha.Canvas().BrushColor = clBlack;
    alpha.Canvas().FillRect(0, 0, alpha.Width(), alpha.Height());
    DrawAlphaChannel(image, alpha.Canvas(), 0, 0);
    for (int y = 0; y < alpha.Height(); ++y) {
        const std::uint8_t* row = alpha.ScanLine(y);
        if (std::any_of(row, row + 3 * alpha.Width(), [](std::uint8_t b) { return b != 0; }))
            return alpha;
    }
    return std::nullopt;
}

}  // namespace

TRgbaImage StraightRgba(TLoadedIconImage& Image) {
    TRgbaImage out{Image.PixelWidth(), Image.PixelHeight(), {}};
    out.Pixels.assign(static_cast<std::size_t>(out.Width) * out.Height * 4, 0);
    TBitmap colour(out.Width, out.Height, TPixelFormat::pf24bit);
    colour.Canvas().BrushColor = clBlack;
    colour.Canvas().FillRect(0, 0, out.Width, out.Height);
    DrawImageChannel(Image, colour.Canvas(), 0, 0);
    TBitmap mask = CreateMaskBitmap(Image);
    std::optional<TBitmap> alpha = UsedAlpha(Image);
    for (int y = 0; y < out.Height; ++y) {
        const std::uint8_t* src = colour.ScanLine(y);
        for (int x = 0; x < out.Width; ++x, src += 3) {
            std::uint8_t opacity = alpha                      ? alpha->ScanLine(y)[3 * x]
                                   : mask.RawPixel(x, y) != 0 ? 0
                                                              : 255;
            if (opacity == 0) continue;  // transparent pixels stay (0, 0, 0, 0)
            std::uint8_t* dst = out.At(x, y);
            dst[0] = src[2];
            dst[1] = src[1];
            dst[2] = src[0];
            dst[3] = opacity;
        }
    }
    return out;
}
