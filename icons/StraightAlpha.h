#pragma once

#include <cstdint>
#include <vector>

#include "icons/LoadedIcon.h"

// An image as red, green, blue and alpha bytes, rows top first, colours not blended with any
// background (straight alpha).
struct TRgbaImage {
    int Width = 0;
    int Height = 0;
    std::vector<std::uint8_t> Pixels;  // Width x Height x 4 bytes

    std::uint8_t* At(int x, int y) {
        return Pixels.data() + (static_cast<std::size_t>(y) * Width + x) * 4;
    }
    const std::uint8_t* At(int x, int y) const {
        return Pixels.data() + (static_cast<std::size_t>(y) * Width + x) * 4;
    }
};

// The image's own pixels with their opacity, as Windows shows them: where alpha decides (see
// AlphaDecides), every pixel as stored, colour and alpha; otherwise the colours with alpha 255
// where the mask is opaque, and (0, 0, 0, 0) where it is transparent. Images without rows come
// out fully transparent.
TRgbaImage StraightAlphaImage(TLoadedIconImage& Image);
