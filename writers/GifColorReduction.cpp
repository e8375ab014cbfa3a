#include "writers/GifColorReduction.h"

#include "writers/GifColorQuantizer.h"
#include "writers/GifDitherer.h"
#include "writers/GifFastColorLookup.h"

namespace {

TColor PixelAt(const std::uint8_t* row, int x) {
    const std::uint8_t* bgr = row + static_cast<std::size_t>(x) * 3;
    return {bgr[2], bgr[1], bgr[0]};
}

std::vector<TColor> BuildPalette(const TBitmap& source) {
    TColorQuantizer quantizer;
    for (int y = 0; y < source.Height(); ++y) {
        const std::uint8_t* row = source.ScanLine(y);
        for (int x = 0; x < source.Width(); ++x) quantizer.AddColor(PixelAt(row, x));
    }
    return quantizer.Palette();
}

TBitmap ReduceTrueColor(const TBitmap& source) {
    TBitmap result(source.Width(), source.Height(), TPixelFormat::pf8bit);
    result.Palette = BuildPalette(source);
    TFastColorLookup lookup(result.Palette);
    TBurkesDitherer ditherer(source.Width(), lookup);
    for (int y = 0; y < source.Height(); ++y) {
        const std::uint8_t* row = source.ScanLine(y);
        std::uint8_t* out = result.ScanLine(y);
        for (int i = 0; i < source.Width(); ++i) {
            int x = ditherer.Column();
            out[x] = ditherer.Dither(PixelAt(row, x));
        }
        ditherer.NextLine();
    }
    return result;
}

}  // namespace

TBitmap ReduceColors(const TBitmap& Source) {
    if (Source.PixelFormat() == TPixelFormat::pf24bit) return ReduceTrueColor(Source);
    return ReduceTrueColor(ConvertTo24Bit(Source));
}
