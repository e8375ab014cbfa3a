#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "graphics/Color.h"

// Nearest palette colour with a cache of one index per cell of a 5-5-5 colour space. A cell
// is filled by the first palette entry that falls in it, or by the first search for a colour
// of that cell, and answers every later colour of the cell without searching.
class TFastColorLookup {
public:
    static constexpr int kCacheSize = 32768;

    // Palette: up to 256 entries; missing ones count as black.
    explicit TFastColorLookup(const std::vector<TColor>& Palette);

    std::uint8_t Lookup(TColor Color) {
        std::int16_t& cell = cache_[static_cast<std::size_t>(CellOf(Color))];
        if (cell < 0) cell = Search(Color);
        return static_cast<std::uint8_t>(cell);
    }
    const TColor& Entry(std::uint8_t Index) const { return palette_[Index]; }
    // The cache cell of a colour: (blue >> 3) * 1024 + (green >> 3) * 32 + (red >> 3).
    static int CellOf(TColor Color) {
        return (Color.Blue >> 3) * 1024 + (Color.Green >> 3) * 32 + (Color.Red >> 3);
    }
    // The index a cell holds, -1 while it is empty.
    std::int16_t CachedIndex(int Cell) const { return cache_[static_cast<std::size_t>(Cell)]; }

private:
    std::uint8_t Search(TColor color) const;

    std::array<TColor, 256> palette_{};
    std::array<std::int16_t, kCacheSize> cache_;
};
