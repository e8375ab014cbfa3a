#include "writers/AreaScale.h"

#include <algorithm>
#include <cmath>

namespace {

// One source pixel's share of one target pixel.
struct TShare {
    int Source;
    float Weight;
};

// For every target index, the source indices it covers and their weights (summing to 1).
std::vector<std::vector<TShare>> SharesOf(int sourceLength, int targetLength) {
    std::vector<std::vector<TShare>> shares(static_cast<std::size_t>(targetLength));
    double step = static_cast<double>(sourceLength) / targetLength;
    for (int t = 0; t < targetLength; ++t) {
        double begin = t * step;
        double end = std::min<double>(sourceLength, begin + step);
        for (int s = static_cast<int>(begin); s < end; ++s) {
            double covered = std::min<double>(s + 1, end) - std::max<double>(s, begin);
            if (covered > 0) shares[t].push_back({s, static_cast<float>(covered / step)});
        }
    }
    return shares;
}

// Premultiplied red, green, blue and alpha, each 0 to 255.
struct TPremultiplied {
    float Channel[4] = {0, 0, 0, 0};
};

std::uint8_t ToByte(float value) {
    return static_cast<std::uint8_t>(std::clamp(std::lround(value), 0L, 255L));
}

}  // namespace

TRgbaImage ScaleDownByArea(const TRgbaImage& Source, int Width, int Height) {
    auto across = SharesOf(Source.Width, Width);
    auto down = SharesOf(Source.Height, Height);
    // Rows first: each source row shrunk to Width premultiplied pixels.
    std::vector<TPremultiplied> rows(static_cast<std::size_t>(Source.Height) * Width);
    for (int y = 0; y < Source.Height; ++y) {
        for (int x = 0; x < Width; ++x) {
            TPremultiplied& sum = rows[static_cast<std::size_t>(y) * Width + x];
            for (const TShare& share : across[x]) {
                const std::uint8_t* pixel = Source.At(share.Source, y);
                float alpha = pixel[3] * share.Weight;
                for (int c = 0; c < 3; ++c) sum.Channel[c] += pixel[c] * alpha / 255.0f;
                sum.Channel[3] += alpha;
            }
        }
    }
    TRgbaImage out{Width, Height,
                   std::vector<std::uint8_t>(static_cast<std::size_t>(Width) * Height * 4, 0)};
    for (int y = 0; y < Height; ++y) {
        for (int x = 0; x < Width; ++x) {
            TPremultiplied sum;
            for (const TShare& share : down[y]) {
                const TPremultiplied& row =
                    rows[static_cast<std::size_t>(share.Source) * Width + x];
                for (int c = 0; c < 4; ++c) sum.Channel[c] += row.Channel[c] * share.Weight;
            }
            float alpha = sum.Channel[3];
            std::uint8_t* pixel = out.At(x, y);
            pixel[3] = ToByte(alpha);
            if (pixel[3] == 0) continue;
            for (int c = 0; c < 3; ++c) pixel[c] = ToByte(sum.Channel[c] * 255.0f / alpha);
        }
    }
    return out;
}

TPictureSize FitWithin(int Width, int Height, int BoxWidth, int BoxHeight) {
    if (Width <= BoxWidth && Height <= BoxHeight) return {Width, Height};
    // Wider than the box's aspect: the width fills the box; otherwise the height does.
    if (static_cast<long long>(Width) * BoxHeight >= static_cast<long long>(Height) * BoxWidth)
        return {BoxWidth, std::max(1, Height * BoxWidth / Width)};
    return {std::max(1, Width * BoxHeight / Height), BoxHeight};
}

TBitmap ScaleBitmapDownByArea(const TBitmap& Source, int Width, int Height) {
    TRgbaImage pixels{Source.Width(), Source.Height(),
                      std::vector<std::uint8_t>(
                          static_cast<std::size_t>(Source.Width()) * Source.Height() * 4, 255)};
    for (int y = 0; y < Source.Height(); ++y) {
        for (int x = 0; x < Source.Width(); ++x) {
            const TColor colour = Source.PixelColor(x, y);
            std::uint8_t* pixel = pixels.At(x, y);
            pixel[0] = colour.Red;
            pixel[1] = colour.Green;
            pixel[2] = colour.Blue;
        }
    }
    const TRgbaImage scaled = ScaleDownByArea(pixels, Width, Height);
    TBitmap out(Width, Height, TPixelFormat::pf24bit);
    for (int y = 0; y < Height; ++y) {
        for (int x = 0; x < Width; ++x) {
            const std::uint8_t* pixel = scaled.At(x, y);
            out.SetPixelColor(x, y, TColor{pixel[0], pixel[1], pixel[2]});
        }
    }
    return out;
}
