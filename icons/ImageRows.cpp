#include "icons/ImageRows.h"

#include <algorithm>

#include "graphics/PixelFormat.h"
#include "icons/PngFit.h"
#include "icons/PngStream.h"

namespace {

bool AllZeroBytes(ByteView bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b == 0; });
}

// Takes `size` bytes, or nothing when fewer remain.
ByteView TakeRows(ByteReader& data, std::size_t size) {
    return data.Has(size) ? data.Take(size) : ByteView();
}

ByteString RowsOrZeros(ByteView rows, std::size_t size) {
    return rows.empty() ? ByteString(size, 0) : ByteString(rows.begin(), rows.end());
}

std::uint32_t MaskStride(int width) {
    return static_cast<std::uint32_t>(RowStride(static_cast<std::size_t>(width), 1));
}

}  // namespace

bool TBitmapRowsLayout::AllZero() const {
    return AllZeroBytes(Colour) && AllZeroBytes(Mask);
}

TBitmapRowsLayout LayOutBitmapRows(ByteView stored, int width, int height, int bitCount) {
    TBitmapRowsLayout layout;
    layout.Rows = static_cast<std::size_t>(height);
    layout.ImageStride = static_cast<std::int32_t>(
        RowStride(static_cast<std::size_t>(width), static_cast<std::size_t>(bitCount)));
    layout.MaskStride = MaskStride(width);
    ByteReader data(stored);
    layout.Colour = TakeRows(data, layout.Rows * static_cast<std::size_t>(layout.ImageStride));
    layout.Mask = TakeRows(data, layout.Rows * layout.MaskStride);
    return layout;
}

TImageRows DecodeBitmapRows(const TBitmapRowsLayout& layout) {
    TImageRows rows;
    rows.ImageStride = layout.ImageStride;
    rows.MaskStride = layout.MaskStride;
    rows.ImageBits =
        RowsOrZeros(layout.Colour, layout.Rows * static_cast<std::size_t>(layout.ImageStride));
    rows.MaskBits = RowsOrZeros(layout.Mask, layout.Rows * layout.MaskStride);
    return rows;
}

std::size_t PngRowsSize(int width, int height) {
    auto rows = static_cast<std::size_t>(height);
    return rows * (static_cast<std::size_t>(width) * 4 + MaskStride(width));
}

TImageRows DecodePngRows(ByteView stream, int width, int height) {
    TImageRows rows;
    TDecodedPng png;
    try {
        png = DecodePngStream(stream);
    } catch (const TReadError& error) {
        rows.DecodeError = error.what();
        return rows;
    }
    if (png.Width != width || png.Height != height) png = FitPngInto(png, width, height);
    rows.ImageStride = width * 4;
    rows.MaskStride = MaskStride(width);
    rows.ImageBits.resize(static_cast<std::size_t>(rows.ImageStride) * height);
    rows.MaskBits.assign(static_cast<std::size_t>(rows.MaskStride) * height, 0);
    // PNG rows run top first with red, green, blue, alpha; bitmap rows run bottom first with
    // blue, green, red, alpha. Fully transparent pixels are marked in the mask.
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* src = png.Rgba.data() + static_cast<std::size_t>(y) * rows.ImageStride;
        auto row = static_cast<std::size_t>(height - 1 - y);
        std::uint8_t* dst =
            rows.ImageBits.data() + row * static_cast<std::size_t>(rows.ImageStride);
        std::uint8_t* mask = rows.MaskBits.data() + row * rows.MaskStride;
        for (int x = 0; x < width; ++x, src += 4, dst += 4) {
            dst[0] = src[2];
            dst[1] = src[1];
            dst[2] = src[0];
            dst[3] = src[3];
            if (src[3] == 0)
                mask[x / 8] = static_cast<std::uint8_t>(mask[x / 8] | (0x80 >> (x % 8)));
        }
    }
    return rows;
}
