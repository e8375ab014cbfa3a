#include "writers/GifDitherer.h"

#include <algorithm>

namespace {

constexpr int kMargin = 2;

std::uint8_t Component(TColor color, int channel) {
    return channel == 0 ? color.Red : channel == 1 ? color.Green : color.Blue;
}

}  // namespace

void TDitherEngine::NextLine() {
    direction_ = -direction_;
    column_ = direction_ > 0 ? 0 : width_ - 1;
}

TBurkesDitherer::TBurkesDitherer(int Width, TFastColorLookup& Lookup)
    : TDitherEngine(Width), lookup_(Lookup) {
    auto size = static_cast<std::size_t>(std::max(Width, 0) + 2 * kMargin);
    for (TErrorRows& rows : errors_) {
        rows.Current.assign(size, 0);
        rows.Next.assign(size, 0);
    }
}

// The pixel's component plus its accumulated error (rounded 32nds, truncated toward zero),
// kept within 0 to 255.
int TBurkesDitherer::Wanted(int channel, std::uint8_t component) const {
    std::int32_t error = errors_[channel].Current[static_cast<std::size_t>(Column() + kMargin)];
    return std::clamp(component + (error + 16) / 32, 0, 255);
}

// Runs for every channel of nearly every pixel, so it works on the row pointers directly; the
// margins keep every offset inside the rows.
inline void TBurkesDitherer::Spread(TErrorRows& rows, int error) {
    const int d = Direction();
    std::int32_t* current = rows.Current.data() + Column() + kMargin;
    std::int32_t* next = rows.Next.data() + Column() + kMargin;
    current[d] += 8 * error;
    current[2 * d] += 4 * error;
    next[-2 * d] += 2 * error;
    next[-d] += 4 * error;
    next[0] += 8 * error;
    next[d] += 4 * error;
    next[2 * d] += 2 * error;
}

std::uint8_t TBurkesDitherer::Dither(TColor Pixel) {
    int wanted[3];
    for (int c = 0; c < 3; ++c) wanted[c] = Wanted(c, Component(Pixel, c));
    std::uint8_t index =
        lookup_.Lookup({static_cast<std::uint8_t>(wanted[0]), static_cast<std::uint8_t>(wanted[1]),
                        static_cast<std::uint8_t>(wanted[2])});
    const TColor& chosen = lookup_.Entry(index);
    for (int c = 0; c < 3; ++c) {
        int error = wanted[c] - Component(chosen, c);
        if (error != 0) Spread(errors_[c], error);
    }
    Advance();
    return index;
}

void TBurkesDitherer::NextLine() {
    for (TErrorRows& rows : errors_) {
        std::fill(rows.Current.begin(), rows.Current.end(), 0);
        rows.Current.swap(rows.Next);
    }
    TDitherEngine::NextLine();
}

std::int32_t TBurkesDitherer::Error(int Channel, bool Next, int Column) const {
    const TErrorRows& rows = errors_[Channel];
    return (Next ? rows.Next : rows.Current).at(static_cast<std::size_t>(Column + kMargin));
}
