#include "graphics/PixelFormat.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr TPixelFormatRow kPixelFormats[] = {
    {1, TPixelFormat::pf1bit, TPixelFormat::pf1bit},
    {4, TPixelFormat::pf4bit, TPixelFormat::pf24bit},
    {8, TPixelFormat::pf8bit, TPixelFormat::pf24bit},
    {16, TPixelFormat::pf16bit, TPixelFormat::pf24bit},
    {24, TPixelFormat::pf24bit, TPixelFormat::pf24bit},
    {32, TPixelFormat::pf32bit, TPixelFormat::pf32bit},
};

}  // namespace

const TPixelFormatRow* FindPixelFormat(int bitCount) {
    auto row =
        std::find_if(std::begin(kPixelFormats), std::end(kPixelFormats),
                     [bitCount](const TPixelFormatRow& r) { return r.BitCount == bitCount; });
    return row == std::end(kPixelFormats) ? nullptr : row;
}

TPixelFormat OwnFormat(int bitCount) {
    const TPixelFormatRow* row = FindPixelFormat(bitCount);
    return row ? row->Own : TPixelFormat::pf24bit;
}

TPixelFormat DisplayFormat(int bitCount) {
    const TPixelFormatRow* row = FindPixelFormat(bitCount);
    return row ? row->Display : TPixelFormat::pf24bit;
}

int BitsPerPixel(TPixelFormat format) {
    auto row = std::find_if(std::begin(kPixelFormats), std::end(kPixelFormats),
                            [format](const TPixelFormatRow& r) { return r.Own == format; });
    return row == std::end(kPixelFormats) ? 24 : row->BitCount;
}

std::size_t RowStride(std::size_t width, std::size_t bitCount) {
    return (width * bitCount + 31) / 32 * 4;
}
