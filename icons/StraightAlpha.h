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
};

// The image's own pixels with their opacity: a 32-bit image's colour and alpha bytes (zero
// alpha where the mask is transparent), any other image's colours with alpha 255 where the
// mask is opaque and 0 elsewhere. Images without rows come out fully transparent.
TRgbaImage StraightAlphaImage(TLoadedIconImage& Image);
