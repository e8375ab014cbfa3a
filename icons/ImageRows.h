#pragma once

#include <cstdint>

#include "icons/LoadedIcon.h"

// Where the colour and mask rows of a bitmap image lie in its stored bytes (the bytes after
// the palette). Rows that are not all there are empty views and stand for zero rows, and then
// nothing is consumed: the mask is looked for where the colour rows would have begun.
struct TBitmapRowsLayout {
    std::size_t Rows = 0;
    std::int32_t ImageStride = 0;
    std::uint32_t MaskStride = 0;
    ByteView Colour;
    ByteView Mask;

    // Bytes of the stored data the rows come from, counted from its front.
    std::size_t UsedBytes() const { return Colour.size() + Mask.size(); }
    // Bytes the decoded rows take.
    std::size_t RowsSize() const {
        return Rows * (static_cast<std::size_t>(ImageStride) + MaskStride);
    }
    // Mask and colour rows hold nothing but zero bytes.
    bool AllZero() const;
};

TBitmapRowsLayout LayOutBitmapRows(ByteView stored, int width, int height, int bitCount);

// The rows of a bitmap image: copies of the stored rows, zero rows where they are missing.
TImageRows DecodeBitmapRows(const TBitmapRowsLayout& layout);

// The rows of a PNG-stored image of width x height pixels: blue, green, red, alpha, bottom row
// first, with fully transparent pixels marked in the mask. A picture of another size is fitted
// into it. A stream that does not decode gives empty rows and the reason.
TImageRows DecodePngRows(ByteView stream, int width, int height);

// Bytes the rows of a PNG-stored image of width x height pixels take.
std::size_t PngRowsSize(int width, int height);
