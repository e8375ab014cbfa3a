#pragma once

#include <cstdint>
#include <vector>

// An 8-bit grey picture, top row first.
struct TGreyImage {
    int Width = 0;
    int Height = 0;
    std::vector<std::uint8_t> Pixels;

    std::uint8_t At(int x, int y) const { return Pixels[static_cast<std::size_t>(y) * Width + x]; }
};

// The grey level of a colour the way Pillow converts RGB to 'L': ITU-R 601-2 luma in 16-bit
// fixed point, rounded.
inline std::uint8_t GreyOf(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return static_cast<std::uint8_t>((red * 19595 + green * 38470 + blue * 7471 + 0x8000) >> 16);
}
