#pragma once

#include <cstdint>

// A plain red-green-blue colour, 8 bits per channel.
struct TColor {
    std::uint8_t Red = 0;
    std::uint8_t Green = 0;
    std::uint8_t Blue = 0;

    friend bool operator==(const TColor&, const TColor&) = default;
};

constexpr TColor clBlack{0, 0, 0};
constexpr TColor clWhite{255, 255, 255};
