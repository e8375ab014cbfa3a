#include "writers/RgbaImage.h"

#include <algorithm>
#include <optional>

#include "icons/Rendering.h"

namespace {

// The stored row that shows as row y from the top; nothing when the rows are incomplete.
const std::uint8_t* StoredRow(const ByteString& rows, std::size_t stride, std::size_t rowBytes,
                              int height, int y) {
    if (stride < rowBytes || rows.size() < stride * static_cast<std::size_t>(height))
        return nullptr;
    return rows.data() + static_cast<std::size_t>(height - 1 - y) * stride;
}

const std::uint8_t* ColourRow(const TLoadedIconImage& image, int y) {
    std::size_t bytes = static_cast<std::size_t>(image.PixelWidth()) * (image.BitCount / 8);
    return StoredRow(image.ImageBits(), static_cast<std::size_t>(image.ImageStride()), bytes,
                     image.PixelHeight(), y);
}

const std::uint8_t* MaskRow(const TLoadedIconImage& image, int y) {
    return StoredRow(image.MaskBits(), image.MaskStride(), (image.PixelWidth() + 7) / 8,
                     image.PixelHeight(), y);
}

// Colours with alpha 255. 24- and 32-bit rows are read as they are stored, which is what
// makes thumbnails of large images quick; other depths are drawn through their palette.
void FillColours(TLoadedIconImage& image, TRgbaImage& out) {
    bool direct = (image.BitCount == 24 || image.BitCount == 32) && ColourRow(image, 0);
    std::optional<TBitmap> drawn;
    if (!direct) {
        drawn.emplace(out.Width, out.Height, TPixelFormat::pf24bit);
        drawn->Canvas().BrushColor = clBlack;
        drawn->Canvas().FillRect(0, 0, out.Width, out.Height);
        DrawImageChannel(image, drawn->Canvas(), 0, 0);
    }
    int step = direct ? image.BitCount / 8 : 3;
    for (int y = 0; y < out.Height; ++y) {
        const std::uint8_t* src = direct ? ColourRow(image, y) : drawn->ScanLine(y);
        for (int x = 0; x < out.Width; ++x, src += step) {
            std::uint8_t* dst = out.At(x, y);
            dst[0] = src[2];
            dst[1] = src[1];
            dst[2] = src[0];
            dst[3] = 255;
        }
    }
}

// Whether a 32-bit image uses its alpha bytes; images from before alpha have them all 0 and
// show through their mask alone.
bool UsesAlpha(const TLoadedIconImage& image) {
    if (image.BitCount != 32 || !ColourRow(image, 0)) return false;
    for (int y = 0; y < image.PixelHeight(); ++y) {
        const std::uint8_t* row = ColourRow(image, y);
        for (int x = 0; x < image.PixelWidth(); ++x)
            if (row[4 * x + 3] != 0) return true;
    }
    return false;
}

}  // namespace

TRgbaImage StraightRgba(TLoadedIconImage& Image) {
    TRgbaImage out{Image.PixelWidth(), Image.PixelHeight(), {}};
    out.Pixels.assign(static_cast<std::size_t>(out.Width) * out.Height * 4, 0);
    FillColours(Image, out);
    bool alpha = UsesAlpha(Image);
    for (int y = 0; y < out.Height; ++y) {
        const std::uint8_t* colour = alpha ? ColourRow(Image, y) : nullptr;
        const std::uint8_t* mask = alpha ? nullptr : MaskRow(Image, y);
        for (int x = 0; x < out.Width; ++x) {
            std::uint8_t* pixel = out.At(x, y);
            if (colour) pixel[3] = colour[4 * x + 3];
            if (mask && (mask[x / 8] & (0x80 >> (x % 8)))) pixel[3] = 0;
            if (pixel[3] == 0) std::fill(pixel, pixel + 4, 0);  // transparent: (0, 0, 0, 0)
        }
    }
    return out;
}
