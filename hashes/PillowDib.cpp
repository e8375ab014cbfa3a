#include "hashes/PillowDib.h"

#include <utility>

namespace {

using TUnpack = TDibFrame::TUnpack;

constexpr std::uint32_t kRaw = 0;
constexpr std::uint32_t kBitFields = 3;
// Sides beyond this are refused rather than given a picture of absurd size.
constexpr std::uint64_t kMaxSide = 1u << 24;

struct TMasks {
    std::uint32_t Red = 0, Green = 0, Blue = 0, Alpha = 0;
    bool operator==(const TMasks&) const = default;
};

// The bit-field layouts Pillow reads, with the byte offsets of red, green and blue.
struct TFieldLayout {
    std::uint16_t Bits;
    TMasks Masks;
    bool WithAlpha;  // only 32-bit layouts compare the alpha mask
    TUnpack Unpack;
    std::array<int, 3> ChannelAt;
};

constexpr TFieldLayout kFieldLayouts[] = {
    {32, {0xFF0000, 0xFF00, 0xFF, 0}, true, TUnpack::Bytes, {2, 1, 0}},
    {32, {0xFF000000, 0xFF0000, 0xFF00, 0}, true, TUnpack::Bytes, {3, 2, 1}},
    {32, {0xFF000000, 0xFF0000, 0xFF00, 0xFF}, true, TUnpack::Bytes, {3, 2, 1}},
    {32, {0xFF, 0xFF00, 0xFF0000, 0xFF000000}, true, TUnpack::Bytes, {0, 1, 2}},
    {32, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}, true, TUnpack::Bytes, {2, 1, 0}},
    {32, {0, 0, 0, 0}, true, TUnpack::Bytes, {2, 1, 0}},
    {24, {0xFF0000, 0xFF00, 0xFF, 0}, false, TUnpack::Bytes, {2, 1, 0}},
    {16, {0xF800, 0x7E0, 0x1F, 0}, false, TUnpack::Rgb565, {}},
    {16, {0x7C00, 0x3E0, 0x1F, 0}, false, TUnpack::Rgb555, {}},
};

void UseFieldLayout(TDibFrame& frame, TMasks masks) {
    for (const TFieldLayout& layout : kFieldLayouts) {
        if (!layout.WithAlpha) masks.Alpha = 0;
        if (layout.Bits == frame.Bits && layout.Masks == masks) {
            frame.Unpack = layout.Unpack;
            frame.ChannelAt = layout.ChannelAt;
            return;
        }
    }
    throw TReadError("Unsupported bitmap bit-field layout");
}

void UseRawLayout(TDibFrame& frame) {
    if (frame.Bits <= 8) {
        frame.Unpack = TUnpack::Palette;
    } else if (frame.Bits == 16) {
        frame.Unpack = TUnpack::Rgb555;
    } else {
        frame.ChannelAt = {2, 1, 0};
    }
}

// A palette of greys equal to their index (black and white for two colours) is read as grey
// rows instead, unpacked at 1 or 8 bits whatever the stored depth.
void ReadPalette(TDibFrame& frame, ByteReader& data, std::uint32_t colors, std::size_t padding) {
    if (colors == 0 || colors > 256) {
        throw TReadError("Bitmap palette of " + std::to_string(colors) + " colours");
    }
    ByteView palette = data.Take(padding * colors);
    bool grey = true;
    for (std::uint32_t i = 0; i < colors; ++i) {
        std::uint8_t level = colors == 2 && i == 1 ? 255 : static_cast<std::uint8_t>(i);
        const std::uint8_t* entry = palette.data() + i * padding;
        grey = grey && entry[0] == level && entry[1] == level && entry[2] == level;
        frame.PaletteGrey[i] = GreyOf(entry[2], entry[1], entry[0]);
    }
    if (grey) frame.Unpack = colors == 2 ? TUnpack::Black1 : TUnpack::Grey8;
}

int UnpackBitsOf(const TDibFrame& frame) {
    switch (frame.Unpack) {
        case TUnpack::Black1:
            return 1;
        case TUnpack::Grey8:
            return 8;
        default:
            return frame.Bits;
    }
}

std::uint8_t PixelGrey(const TDibFrame& frame, const std::uint8_t* row, std::uint64_t x) {
    switch (frame.Unpack) {
        case TUnpack::Palette: {
            std::uint64_t bit = x * frame.Bits;
            unsigned index =
                (row[bit / 8] >> (8 - frame.Bits - bit % 8)) & ((1u << frame.Bits) - 1);
            return frame.PaletteGrey[index];
        }
        case TUnpack::Black1:
            return (row[x / 8] >> (7 - x % 8)) & 1 ? 255 : 0;
        case TUnpack::Grey8:
            return row[x];
        case TUnpack::Rgb555:
        case TUnpack::Rgb565: {
            unsigned pixel = row[2 * x] | row[2 * x + 1] << 8;
            bool wideGreen = frame.Unpack == TUnpack::Rgb565;
            unsigned red = (pixel >> (wideGreen ? 11 : 10)) & 31;
            unsigned green = (pixel >> 5) & (wideGreen ? 63 : 31);
            return GreyOf(static_cast<std::uint8_t>(red * 255 / 31),
                          static_cast<std::uint8_t>(green * 255 / (wideGreen ? 63 : 31)),
                          static_cast<std::uint8_t>((pixel & 31) * 255 / 31));
        }
        case TUnpack::Bytes: {
            const std::uint8_t* pixel = row + x * (frame.Bits / 8);
            return GreyOf(pixel[frame.ChannelAt[0]], pixel[frame.ChannelAt[1]],
                          pixel[frame.ChannelAt[2]]);
        }
    }
    return 0;
}

std::uint64_t RowStride(std::uint64_t width, std::uint64_t bits) {
    return ((width * bits + 31) >> 3) & ~std::uint64_t{3};
}

}  // namespace

TDibFrame ReadDibFrame(ByteView file, std::size_t at) {
    ByteReader data(file);
    data.Skip(at);
    std::uint32_t headerSize = data.U32();
    if (headerSize != 12 && headerSize != 40 && headerSize != 64 && headerSize != 108 &&
        headerSize != 124) {
        throw TReadError("Unsupported bitmap header of " + std::to_string(headerSize) + " bytes");
    }
    ByteView header = data.Take(headerSize - 4);
    TDibFrame frame;
    std::uint32_t compression = kRaw;
    std::uint32_t colors = 0;
    TMasks masks;
    if (headerSize == 12) {
        frame.Width = ReadU16At(header, 0);
        frame.Height = ReadU16At(header, 2);
        frame.Bits = ReadU16At(header, 6);
    } else {
        frame.TopDown = header[7] == 0xFF;
        frame.Width = ReadU32At(header, 0);
        std::uint32_t height = ReadU32At(header, 4);
        frame.Height = frame.TopDown ? (std::uint64_t{1} << 32) - height : height;
        frame.Bits = ReadU16At(header, 10);
        compression = ReadU32At(header, 12);
        colors = ReadU32At(header, 28);
        if (compression == kBitFields && header.size() >= 52) {
            masks = {ReadU32At(header, 36), ReadU32At(header, 40), ReadU32At(header, 44),
                     ReadU32At(header, 48)};
        } else if (compression == kBitFields) {
            masks = {data.U32(), data.U32(), data.U32(), 0};
        }
    }
    std::uint16_t bits = frame.Bits;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) {
        throw TReadError("Unsupported bitmap depth of " + std::to_string(bits) + " bits");
    }
    if (compression == kBitFields) {
        UseFieldLayout(frame, masks);
    } else if (compression == kRaw) {
        UseRawLayout(frame);
    } else {
        throw TReadError("Unsupported bitmap compression " + std::to_string(compression));
    }
    for (unsigned i = 0; i < frame.PaletteGrey.size(); ++i)
        frame.PaletteGrey[i] = static_cast<std::uint8_t>(i);
    if (frame.Unpack == TUnpack::Palette) {
        ReadPalette(frame, data, colors ? colors : 1u << bits, headerSize == 12 ? 3 : 4);
    }
    frame.UnpackBits = UnpackBitsOf(frame);
    frame.RowsAt = file.size() - data.Rest().size();
    return frame;
}

bool RowsFit(std::uint64_t available, std::uint64_t width, std::uint64_t bits,
             std::uint64_t unpackBits, std::uint64_t rows) {
    if (width == 0 || rows == 0 || width > kMaxSide || rows > kMaxSide) return false;
    std::uint64_t stride = RowStride(width, bits);
    std::uint64_t rowBytes = (width * unpackBits + 7) / 8;
    return rowBytes <= stride && rowBytes <= available &&
           (rows - 1) <= (available - rowBytes) / stride;
}

TGreyImage DecodeDibRows(ByteView file, const TDibFrame& frame, std::uint64_t rows) {
    std::uint64_t available = file.size() - frame.RowsAt;
    if (!RowsFit(available, frame.Width, frame.Bits, frame.UnpackBits, rows)) {
        throw TReadError("Bitmap rows run past the end of the file");
    }
    TGreyImage image{static_cast<int>(frame.Width), static_cast<int>(rows), {}};
    image.Pixels.resize(frame.Width * rows);
    std::uint64_t stride = RowStride(frame.Width, frame.Bits);
    for (std::uint64_t k = 0; k < rows; ++k) {
        const std::uint8_t* row = file.data() + frame.RowsAt + k * stride;
        std::uint64_t y = frame.TopDown ? k : rows - 1 - k;
        for (std::uint64_t x = 0; x < frame.Width; ++x) {
            image.Pixels[y * frame.Width + x] = PixelGrey(frame, row, x);
        }
    }
    return image;
}
