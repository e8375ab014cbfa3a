#include "writers/GifFastColorLookup.h"

#include <algorithm>
#include <cstdlib>

TFastColorLookup::TFastColorLookup(const std::vector<TColor>& Palette) {
    cache_.fill(-1);
    std::size_t count = std::min(Palette.size(), palette_.size());
    std::copy_n(Palette.begin(), count, palette_.begin());
    for (std::size_t i = 0; i < palette_.size(); ++i) {
        std::int16_t& cell = cache_[static_cast<std::size_t>(CellOf(palette_[i]))];
        if (cell < 0) cell = static_cast<std::int16_t>(i);
    }
}

// The entry with the smallest sum of absolute channel differences; the lowest index wins ties.
std::uint8_t TFastColorLookup::Search(TColor color) const {
    int best = 0;
    int bestDistance = 3 * 256;
    for (std::size_t i = 0; i < palette_.size(); ++i) {
        const TColor& entry = palette_[i];
        int distance = std::abs(entry.Red - color.Red) + std::abs(entry.Green - color.Green) +
                       std::abs(entry.Blue - color.Blue);
        if (distance < bestDistance) {
            bestDistance = distance;
            best = static_cast<int>(i);
        }
    }
    return static_cast<std::uint8_t>(best);
}
