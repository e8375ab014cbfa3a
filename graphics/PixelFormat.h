#pragma once

#include <cstddef>

// Pixel formats of a bitmap. pf16bit is 5-5-5: red in bits 10-14, green 5-9, blue 0-4.
enum class TPixelFormat { pf1bit, pf4bit, pf8bit, pf16bit, pf24bit, pf32bit };

// One stored bit count: the bitmap format that holds its pixels as they are, and the format
// they are shown in (4, 8 and 16 bits are shown converted to 24 bits).
struct TPixelFormatRow {
    int BitCount;
    TPixelFormat Own;
    TPixelFormat Display;
};

// The row of a bit count, or nullptr for a bit count no bitmap format holds.
const TPixelFormatRow* FindPixelFormat(int bitCount);

// The bitmap format of a bit count, and the format it is shown in; 24 bits for bit counts that
// have no bitmap format.
TPixelFormat OwnFormat(int bitCount);
TPixelFormat DisplayFormat(int bitCount);

int BitsPerPixel(TPixelFormat format);

// Bytes per bitmap row: whole bytes, padded to a multiple of 4.
std::size_t RowStride(std::size_t width, std::size_t bitCount);
