#include "writers/GifWriter.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <limits>
#include <stdexcept>
#include <vector>

#include "icons/Rendering.h"
#include "writers/DrawnMask.h"
#include "writers/GifColorReduction.h"
#include "writers/GifImage.h"

namespace {

using TIndexCounts = std::array<std::size_t, 256>;

// Which pixels the mask marks transparent (white), read from the mask once.
class TTransparentPixels {
public:
    explicit TTransparentPixels(const TBitmap& mask)
        : width_(static_cast<std::size_t>(mask.Width())),
          flags_(width_ * static_cast<std::size_t>(mask.Height())) {
        for (int y = 0; y < mask.Height(); ++y)
            for (int x = 0; x < mask.Width(); ++x)
                flags_[static_cast<std::size_t>(y) * width_ + static_cast<std::size_t>(x)] =
                    mask.PixelColor(x, y) == clWhite;
        any_ = std::find(flags_.begin(), flags_.end(), true) != flags_.end();
    }

    bool At(int x, int y) const {
        return flags_[static_cast<std::size_t>(y) * width_ + static_cast<std::size_t>(x)];
    }
    bool Any() const { return any_; }

private:
    std::size_t width_;
    std::vector<bool> flags_;
    bool any_ = false;
};

TIndexCounts CountIndices(const TBitmap& bitmap) {
    TIndexCounts counts{};
    for (int y = 0; y < bitmap.Height(); ++y) {
        const std::uint8_t* row = bitmap.ScanLine(y);
        for (int x = 0; x < bitmap.Width(); ++x) ++counts[row[x]];
    }
    return counts;
}

// The palette entry nearest to entry `avoid` other than itself (sum of absolute channel
// differences, lowest index on ties).
std::uint8_t NearestOtherEntry(const std::vector<TColor>& palette, std::size_t avoid) {
    const TColor& colour = palette[avoid];
    std::size_t best = avoid == 0 ? 1 : 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (std::size_t i = 0; i < palette.size(); ++i) {
        if (i == avoid) continue;
        int distance = std::abs(palette[i].Red - colour.Red) +
                       std::abs(palette[i].Green - colour.Green) +
                       std::abs(palette[i].Blue - colour.Blue);
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return static_cast<std::uint8_t>(best);
}

// With every index in use, frees the least used one (the lowest among equals) by moving its
// opaque pixels to the nearest other palette colour. Returns the freed index, or -1 when
// nothing is transparent and so no index is needed.
int FreeLeastUsedIndex(TBitmap& reduced, const TTransparentPixels& mask,
                       const TIndexCounts& counts) {
    if (!mask.Any()) return -1;
    auto least =
        static_cast<std::size_t>(std::min_element(counts.begin(), counts.end()) - counts.begin());
    const std::uint8_t replacement = NearestOtherEntry(reduced.Palette, least);
    for (int y = 0; y < reduced.Height(); ++y) {
        std::uint8_t* row = reduced.ScanLine(y);
        for (int x = 0; x < reduced.Width(); ++x)
            if (row[x] == least && !mask.At(x, y)) row[x] = replacement;
    }
    return static_cast<int>(least);
}

int ChooseTransparentIndex(TBitmap& reduced, const TTransparentPixels& mask) {
    TIndexCounts counts = CountIndices(reduced);
    auto unused = std::find(counts.begin(), counts.end(), std::size_t{0});
    if (unused != counts.end()) return static_cast<int>(unused - counts.begin());
    return FreeLeastUsedIndex(reduced, mask, counts);
}

void PaintTransparent(TBitmap& reduced, const TTransparentPixels& mask, std::uint8_t index) {
    for (int y = 0; y < reduced.Height(); ++y) {
        std::uint8_t* row = reduced.ScanLine(y);
        for (int x = 0; x < reduced.Width(); ++x)
            if (mask.At(x, y)) row[x] = index;
    }
}

// The mask the image is drawn with (pixels of alpha 0 where alpha decides) where the image has
// mask rows; what the drawing shows otherwise (system icons, images without rows, which then
// come out fully transparent).
TBitmap MaskOf(TLoadedIconImage& image) {
    if (image.IsSystemIcon || image.MaskBits().empty()) return DrawnMask(image);
    return CreateDrawingMask(image);
}

}  // namespace

TGifReduction ReduceForGif(const TBitmap& Color, const TBitmap& Mask) {
    if (Color.Width() != Mask.Width() || Color.Height() != Mask.Height())
        throw std::invalid_argument("GIF colour and mask bitmaps must be of equal size");
    TGifReduction result{ReduceColors(Color), -1};
    TTransparentPixels transparent(Mask);
    result.TransparentIndex = ChooseTransparentIndex(result.Bitmap, transparent);
    if (result.TransparentIndex >= 0)
        PaintTransparent(result.Bitmap, transparent,
                         static_cast<std::uint8_t>(result.TransparentIndex));
    return result;
}

void SaveImageAsGif(TLoadedIconImage& Image, const TOutputTarget& Target, TColor Background) {
    TBitmap mask = MaskOf(Image);
    TBitmap colour(Image.PixelWidth(), Image.PixelHeight(), TPixelFormat::pf24bit);
    DrawIconImage(Image, colour.Canvas(), 0, 0, Background);
    TGifReduction reduced = ReduceForGif(colour, mask);
    TGIFImage gif;
    TGIFSubImage& frame = gif.Add(reduced.Bitmap);
    TGIFGraphicControlExtension& control = frame.GraphicControl.emplace();
    if (reduced.TransparentIndex >= 0) {
        control.Transparent = true;
        control.TransparentColorIndex = static_cast<std::uint8_t>(reduced.TransparentIndex);
    }
    gif.SaveToFile(Target);
}
