#include "icons/PngFit.h"

#include <algorithm>
#include <array>

namespace {

// The average of the source pixels under output pixel (x, y) of a picture scaled to
// outWidth x outHeight, weighted by alpha so transparent pixels lend no colour.
std::array<std::uint8_t, 4> BoxAverage(const TDecodedPng& png, int outWidth, int outHeight, int x,
                                       int y) {
    int x0 = x * png.Width / outWidth;
    int x1 = std::max(x0 + 1, (x + 1) * png.Width / outWidth);
    int y0 = y * png.Height / outHeight;
    int y1 = std::max(y0 + 1, (y + 1) * png.Height / outHeight);
    std::uint64_t sum[4] = {0, 0, 0, 0};
    for (int sy = y0; sy < y1; ++sy) {
        const std::uint8_t* p =
            png.Rgba.data() + (static_cast<std::size_t>(sy) * png.Width + x0) * 4;
        for (int sx = x0; sx < x1; ++sx, p += 4) {
            for (int c = 0; c < 3; ++c) sum[c] += static_cast<std::uint64_t>(p[c]) * p[3];
            sum[3] += p[3];
        }
    }
    std::uint64_t count = static_cast<std::uint64_t>(x1 - x0) * (y1 - y0);
    std::array<std::uint8_t, 4> out{};
    if (sum[3] == 0) return out;
    for (int c = 0; c < 3; ++c) out[c] = static_cast<std::uint8_t>((sum[c] + sum[3] / 2) / sum[3]);
    out[3] = static_cast<std::uint8_t>((sum[3] + count / 2) / count);
    return out;
}

}  // namespace

TDecodedPng FitPngInto(const TDecodedPng& png, int width, int height) {
    // Scale by the tighter side, never up.
    int fitWidth = png.Width;
    int fitHeight = png.Height;
    if (fitWidth > width || fitHeight > height) {
        if (static_cast<long>(png.Width) * height > static_cast<long>(png.Height) * width) {
            fitWidth = width;
            fitHeight = std::max(1, png.Height * width / png.Width);
        } else {
            fitHeight = height;
            fitWidth = std::max(1, png.Width * height / png.Height);
        }
    }
    TDecodedPng out{width, height, ByteString(static_cast<std::size_t>(width) * height * 4, 0)};
    int left = (width - fitWidth) / 2;
    int top = (height - fitHeight) / 2;
    for (int y = 0; y < fitHeight; ++y) {
        for (int x = 0; x < fitWidth; ++x) {
            auto pixel = BoxAverage(png, fitWidth, fitHeight, x, y);
            std::copy(
                pixel.begin(), pixel.end(),
                out.Rgba.begin() + (static_cast<std::ptrdiff_t>(top + y) * width + left + x) * 4);
        }
    }
    return out;
}
