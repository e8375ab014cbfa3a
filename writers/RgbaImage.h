#pragma once

#include <cstdint>
#include <vector>

#include "icons/LoadedIcon.h"

// An image as red, green, blue and straight (not premultiplied) alpha, 8 bits each, rows top
// first.
struct TRgbaImage {
    int Width = 0;
    int Height = 0;
    std::vector<std::uint8_t> Pixels;  // Width x Height x 4

    std::uint8_t* At(int x, int y) {
        return Pixels.data() + (static_cast<std::size_t>(y) * Width + x) * 4;
    }
    const std::uint8_t* At(int x, int y) const {
        return Pixels.data() + (static_cast<std::size_t>(y) * Width + x) * 4;
    }
};

// The image's own pixels, blended with nothing, as Windows shows them: a 32-bit image's
// colours and alpha (its mask is not used then), other depths' colours, and 32-bit images
// whose alpha bytes are all 0, with the mask as alpha. Transparent pixels are (0, 0, 0, 0).
TRgbaImage StraightRgba(TLoadedIconImage& Image);
