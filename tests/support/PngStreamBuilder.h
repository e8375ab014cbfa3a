#pragma once

#include <cstdint>
#include <functional>

#include "icons/ByteReader.h"

// What a test PNG stream holds. Pixel values come from `sample`, called per pixel and channel
// with values already scaled to the bit depth.
struct PngSpec {
    int width = 16;
    int height = 16;
    int colorType = 6;  // PNG_COLOR_TYPE_RGB_ALPHA
    int bitDepth = 8;
    bool interlaced = false;
    bool transparentFirstEntry = false;  // a tRNS chunk: palette entry 0 / grey 0 / RGB 0,0,0
    std::function<std::uint16_t(int x, int y, int channel)> sample;
};

// Encodes a PNG stream in memory with libpng's write side.
ByteString MakePngStream(const PngSpec& layout);
