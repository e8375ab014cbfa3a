#include "PictureIcon.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

struct Rgba {
    int r, g, b, a;
};

// The picture at pixel (x, y), y from the top: the colour wheel inside the disc, a dark rim,
// and beyond it alpha falling off to nothing.
Rgba PicturePixel(int size, int x, int y) {
    const double c = (size - 1) / 2.0;
    const double dx = x - c, dy = y - c;
    const double d = std::sqrt(dx * dx + dy * dy) / (size / 2.0);
    const double hue = std::atan2(dy, dx) / (2 * M_PI) + 0.5;
    auto channel = [&](double shift) {
        double v = std::fabs(std::fmod(hue * 6 + shift, 6.0) - 3) - 1;
        return static_cast<int>(std::clamp(v, 0.0, 1.0) * 255 * (0.55 + 0.45 * (1 - d)));
    };
    if (d < 0.72) return {channel(0), channel(4), channel(2), 255};
    if (d < 0.86) return {30, 30, 60, 255};
    const int alpha = static_cast<int>(std::clamp((1.0 - d) / 0.14, 0.0, 1.0) * 160);
    return {40, 40, 90, alpha};
}

std::vector<Rgba> Palette(int bitCount) {
    std::vector<Rgba> palette;
    if (bitCount == 1) return {{0, 0, 0, 0}, {255, 255, 255, 0}};
    if (bitCount == 4) {
        for (int i = 0; i < 16; ++i) {
            const int level = (i & 8) ? 255 : 128;
            palette.push_back({(i & 4) ? level : 0, (i & 2) ? level : 0, (i & 1) ? level : 0, 0});
        }
        palette[8] = {192, 192, 192, 0};
        return palette;
    }
    for (int i = 0; i < 256; ++i) {
        palette.push_back({(i / 36 % 6) * 51, (i / 6 % 6) * 51, (i % 6) * 51, 0});
    }
    return palette;
}

int Nearest(const std::vector<Rgba>& palette, const Rgba& colour) {
    int best = 0, bestDistance = 1 << 30;
    for (int i = 0; i < static_cast<int>(palette.size()); ++i) {
        const Rgba& p = palette[static_cast<std::size_t>(i)];
        const int distance = (p.r - colour.r) * (p.r - colour.r) +
                             (p.g - colour.g) * (p.g - colour.g) +
                             (p.b - colour.b) * (p.b - colour.b);
        if (distance < bestDistance) best = i, bestDistance = distance;
    }
    return best;
}

void ColourRow(ByteBuilder& b, int size, int bitCount, int y, const std::vector<Rgba>& palette) {
    const std::size_t rowStart = b.Size();
    int bits = 0, filled = 0;
    for (int x = 0; x < size; ++x) {
        Rgba p = PicturePixel(size, x, y);
        // Where the mask cuts the picture out, the colour bits are black so that nothing is
        // XOR-ed onto the background.
        if (bitCount != 32 && p.a < 255) p = {0, 0, 0, 255};
        if (bitCount == 32) {
            b.U8(static_cast<std::uint8_t>(p.b)).U8(static_cast<std::uint8_t>(p.g));
            b.U8(static_cast<std::uint8_t>(p.r)).U8(static_cast<std::uint8_t>(p.a));
            continue;
        }
        if (bitCount == 24) {
            b.U8(static_cast<std::uint8_t>(p.b)).U8(static_cast<std::uint8_t>(p.g));
            b.U8(static_cast<std::uint8_t>(p.r));
            continue;
        }
        bits = (bits << bitCount) | Nearest(palette, p);
        filled += bitCount;
        if (filled == 8) b.U8(static_cast<std::uint8_t>(bits)), bits = 0, filled = 0;
    }
    if (filled > 0) b.U8(static_cast<std::uint8_t>(bits << (8 - filled)));
    b.PadTo(rowStart + static_cast<std::size_t>(DibStride(size, bitCount)));
}

void MaskRow(ByteBuilder& b, int size, int y, bool fromAlpha) {
    const std::size_t rowStart = b.Size();
    int bits = 0, filled = 0;
    for (int x = 0; x < size; ++x) {
        const bool transparent =
            fromAlpha ? PicturePixel(size, x, y).a == 0 : PicturePixel(size, x, y).a < 255;
        bits = (bits << 1) | (transparent ? 1 : 0);
        if (++filled == 8) b.U8(static_cast<std::uint8_t>(bits)), bits = 0, filled = 0;
    }
    if (filled > 0) b.U8(static_cast<std::uint8_t>(bits << (8 - filled)));
    b.PadTo(rowStart + static_cast<std::size_t>(DibStride(size, 1)));
}

}  // namespace

IcoEntry PictureEntry(int size, int bitCount) {
    ByteBuilder b;
    b.U32(40).U32(static_cast<std::uint32_t>(size)).U32(static_cast<std::uint32_t>(size * 2));
    b.U16(1).U16(static_cast<std::uint16_t>(bitCount));
    b.U32(0).U32(0).U32(0).U32(0).U32(0).U32(0);
    const std::vector<Rgba> palette = bitCount <= 8 ? Palette(bitCount) : std::vector<Rgba>();
    for (const Rgba& p : palette) {
        b.U8(static_cast<std::uint8_t>(p.b)).U8(static_cast<std::uint8_t>(p.g));
        b.U8(static_cast<std::uint8_t>(p.r)).U8(0);
    }
    for (int y = size - 1; y >= 0; --y) ColourRow(b, size, bitCount, y, palette);
    for (int y = size - 1; y >= 0; --y) MaskRow(b, size, y, bitCount == 32);
    IcoEntry entry;
    entry.width = static_cast<std::uint8_t>(size);
    entry.height = static_cast<std::uint8_t>(size);
    entry.colorCount = bitCount < 8 ? static_cast<std::uint8_t>(1 << bitCount) : 0;
    entry.bitCount = static_cast<std::uint16_t>(bitCount);
    entry.data = b.Bytes();
    return entry;
}
