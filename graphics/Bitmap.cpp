#include "graphics/Bitmap.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace {

// The 16 colours of the standard VGA palette, the default of a fresh 4-bit bitmap.
const TColor kVgaPalette[16] = {{0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
                                {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
                                {128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
                                {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};

std::vector<TColor> DefaultPalette(TPixelFormat format) {
    switch (format) {
        case TPixelFormat::pf1bit:
            return {clBlack, clWhite};
        case TPixelFormat::pf4bit:
            return {std::begin(kVgaPalette), std::end(kVgaPalette)};
        case TPixelFormat::pf8bit: {
            std::vector<TColor> grey(256);
            for (int i = 0; i < 256; ++i) {
                auto v = static_cast<std::uint8_t>(i);
                grey[static_cast<std::size_t>(i)] = {v, v, v};
            }
            return grey;
        }
        default:
            return {};
    }
}

// Expands a 5-bit channel to 8 bits the way the display does.
std::uint8_t Expand5(std::uint32_t c) {
    return static_cast<std::uint8_t>((c << 3) | (c >> 2));
}

std::uint32_t PackBgr(TColor c) {
    return static_cast<std::uint32_t>(c.Blue) | (static_cast<std::uint32_t>(c.Green) << 8) |
           (static_cast<std::uint32_t>(c.Red) << 16);
}

TColor UnpackBgr(std::uint32_t v) {
    return {static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 8),
            static_cast<std::uint8_t>(v)};
}

}  // namespace

TBitmap::TBitmap(int width, int height, TPixelFormat format)
    : Palette(DefaultPalette(format)),
      width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      format_(format),
      stride_(static_cast<int>(RowStride(static_cast<std::size_t>(width_),
                                         static_cast<std::size_t>(BitsPerPixel(format))))),
      bits_(static_cast<std::size_t>(stride_) * static_cast<std::size_t>(height_), 0),
      canvas_(*this) {}

TBitmap::TBitmap(const TBitmap& other)
    : Palette(other.Palette),
      width_(other.width_),
      height_(other.height_),
      format_(other.format_),
      stride_(other.stride_),
      bits_(other.bits_),
      canvas_(*this) {
    canvas_.BrushColor = other.canvas_.BrushColor;
    canvas_.CopyMode = other.canvas_.CopyMode;
}

std::uint32_t TBitmap::RawPixel(int x, int y) const {
    const std::uint8_t* row = ScanLine(y);
    switch (format_) {
        case TPixelFormat::pf1bit:
            return (row[x / 8] >> (7 - x % 8)) & 1u;
        case TPixelFormat::pf4bit:
            return (row[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0x0Fu;
        case TPixelFormat::pf8bit:
            return row[x];
        case TPixelFormat::pf16bit:
            return row[x * 2] | (row[x * 2 + 1] << 8);
        case TPixelFormat::pf24bit:
            return row[x * 3] | (row[x * 3 + 1] << 8) | (row[x * 3 + 2] << 16);
        case TPixelFormat::pf32bit:
            return row[x * 4] | (row[x * 4 + 1] << 8) | (row[x * 4 + 2] << 16) |
                   (static_cast<std::uint32_t>(row[x * 4 + 3]) << 24);
    }
    return 0;
}

void TBitmap::SetRawPixel(int x, int y, std::uint32_t value) {
    std::uint8_t* row = ScanLine(y);
    switch (format_) {
        case TPixelFormat::pf1bit: {
            auto bit = static_cast<std::uint8_t>(0x80u >> (x % 8));
            row[x / 8] =
                static_cast<std::uint8_t>((value & 1u) ? row[x / 8] | bit : row[x / 8] & ~bit);
            break;
        }
        case TPixelFormat::pf4bit: {
            int shift = x % 2 == 0 ? 4 : 0;
            row[x / 2] = static_cast<std::uint8_t>((row[x / 2] & ~(0x0F << shift)) |
                                                   ((value & 0x0Fu) << shift));
            break;
        }
        case TPixelFormat::pf8bit:
            row[x] = static_cast<std::uint8_t>(value);
            break;
        case TPixelFormat::pf16bit:
        case TPixelFormat::pf24bit:
        case TPixelFormat::pf32bit: {
            int bytes = BitsPerPixel(format_) / 8;
            for (int i = 0; i < bytes; ++i)
                row[x * bytes + i] = static_cast<std::uint8_t>(value >> (8 * i));
            break;
        }
    }
}

TColor TBitmap::PixelColor(int x, int y) const {
    std::uint32_t raw = RawPixel(x, y);
    switch (format_) {
        case TPixelFormat::pf16bit:
            return {Expand5((raw >> 10) & 31u), Expand5((raw >> 5) & 31u), Expand5(raw & 31u)};
        case TPixelFormat::pf24bit:
        case TPixelFormat::pf32bit:
            return UnpackBgr(raw);
        default:
            return raw < Palette.size() ? Palette[raw] : clBlack;
    }
}

void TBitmap::SetPixelColor(int x, int y, TColor color) {
    switch (format_) {
        case TPixelFormat::pf16bit:
            SetRawPixel(x, y,
                        (static_cast<std::uint32_t>(color.Red >> 3) << 10) |
                            (static_cast<std::uint32_t>(color.Green >> 3) << 5) |
                            static_cast<std::uint32_t>(color.Blue >> 3));
            break;
        case TPixelFormat::pf24bit:
        case TPixelFormat::pf32bit:
            SetRawPixel(x, y, PackBgr(color));
            break;
        default:
            SetRawPixel(x, y, NearestIndex(color));
            break;
    }
}

std::uint8_t TBitmap::NearestIndex(TColor color) const {
    int best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (std::size_t i = 0; i < Palette.size(); ++i) {
        int dr = Palette[i].Red - color.Red;
        int dg = Palette[i].Green - color.Green;
        int db = Palette[i].Blue - color.Blue;
        int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = static_cast<int>(i);
        }
    }
    return static_cast<std::uint8_t>(best);
}

void TCanvas::FillRect(int left, int top, int right, int bottom) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, bitmap_.Width());
    bottom = std::min(bottom, bitmap_.Height());
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) bitmap_.SetPixelColor(x, y, BrushColor);
    }
}

TColor TCanvas::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= bitmap_.Width() || y >= bitmap_.Height()) return clBlack;
    return bitmap_.PixelColor(x, y);
}

void TCanvas::Draw(int x, int y, const TBitmap& source) {
    Draw(x, y, source, CopyMode);
}

namespace {

TColor PaletteColour(const TBitmap& bitmap, std::size_t index) {
    return index < bitmap.Palette.size() ? bitmap.Palette[index] : clBlack;
}

// The pixels [x, x + count) of row y as packed blue-green-red words, the alpha byte kept when
// keepAlpha is set. One format switch per row keeps whole-image drawing cheap.
void ReadPackedRow(const TBitmap& bitmap, int x, int y, int count, std::uint32_t* out,
                   bool keepAlpha) {
    const std::uint8_t* row = bitmap.ScanLine(y);
    switch (bitmap.PixelFormat()) {
        case TPixelFormat::pf24bit:
            for (int i = 0; i < count; ++i) {
                const std::uint8_t* p = row + (x + i) * 3;
                out[i] = p[0] | (p[1] << 8) | (static_cast<std::uint32_t>(p[2]) << 16);
            }
            return;
        case TPixelFormat::pf32bit: {
            const std::uint32_t alphaMask = keepAlpha ? 0xFFFFFFFFu : 0x00FFFFFFu;
            for (int i = 0; i < count; ++i) {
                const std::uint8_t* p = row + (x + i) * 4;
                out[i] = (p[0] | (p[1] << 8) | (static_cast<std::uint32_t>(p[2]) << 16) |
                          (static_cast<std::uint32_t>(p[3]) << 24)) &
                         alphaMask;
            }
            return;
        }
        case TPixelFormat::pf1bit: {
            const std::uint32_t colours[2] = {PackBgr(PaletteColour(bitmap, 0)),
                                              PackBgr(PaletteColour(bitmap, 1))};
            for (int i = 0; i < count; ++i) {
                int px = x + i;
                out[i] = colours[(row[px / 8] >> (7 - px % 8)) & 1u];
            }
            return;
        }
        default:
            for (int i = 0; i < count; ++i) out[i] = PackBgr(bitmap.PixelColor(x + i, y));
            return;
    }
}

void WritePackedRow(TBitmap& bitmap, int x, int y, int count, const std::uint32_t* in,
                    bool keepAlpha) {
    std::uint8_t* row = bitmap.ScanLine(y);
    switch (bitmap.PixelFormat()) {
        case TPixelFormat::pf24bit:
            for (int i = 0; i < count; ++i) {
                std::uint8_t* p = row + (x + i) * 3;
                p[0] = static_cast<std::uint8_t>(in[i]);
                p[1] = static_cast<std::uint8_t>(in[i] >> 8);
                p[2] = static_cast<std::uint8_t>(in[i] >> 16);
            }
            return;
        case TPixelFormat::pf32bit:
            for (int i = 0; i < count; ++i)
                bitmap.SetRawPixel(x + i, y, keepAlpha ? in[i] : in[i] & 0x00FFFFFFu);
            return;
        default:
            for (int i = 0; i < count; ++i) bitmap.SetPixelColor(x + i, y, UnpackBgr(in[i]));
            return;
    }
}

// The raster operations are byte-wise, so they apply to whole packed words at once.
void CombineRow(TRasterOp op, const std::uint32_t* src, std::uint32_t* dst, int count,
                std::uint32_t brush) {
    for (int i = 0; i < count; ++i) {
        switch (op) {
            case TRasterOp::SRCCOPY:
                dst[i] = src[i];
                break;
            case TRasterOp::MERGECOPY:
                dst[i] = src[i] & brush;
                break;
            case TRasterOp::SRCINVERT:
                dst[i] = src[i] ^ dst[i];
                break;
            case TRasterOp::MERGEPAINT:
                dst[i] = ~src[i] | dst[i];
                break;
        }
    }
}

}  // namespace

void TCanvas::Draw(int x, int y, const TBitmap& source, TRasterOp op) {
    const bool rawAlpha = source.PixelFormat() == TPixelFormat::pf32bit &&
                          bitmap_.PixelFormat() == TPixelFormat::pf32bit;
    // Without alpha on both sides the fourth byte is dropped when stored.
    const std::uint32_t brush = PackBgr(BrushColor);
    const int left = std::max(x, 0);
    const int right = std::min(x + source.Width(), bitmap_.Width());
    const int top = std::max(y, 0);
    const int bottom = std::min(y + source.Height(), bitmap_.Height());
    if (left >= right || top >= bottom) return;
    const int count = right - left;
    std::vector<std::uint32_t> src(static_cast<std::size_t>(count));
    std::vector<std::uint32_t> dst(static_cast<std::size_t>(count));
    for (int dy = top; dy < bottom; ++dy) {
        ReadPackedRow(source, left - x, dy - y, count, src.data(), rawAlpha);
        ReadPackedRow(bitmap_, left, dy, count, dst.data(), rawAlpha);
        CombineRow(op, src.data(), dst.data(), count, brush);
        WritePackedRow(bitmap_, left, dy, count, dst.data(), rawAlpha);
    }
}

TBitmap ConvertTo24Bit(const TBitmap& source) {
    TBitmap result(source.Width(), source.Height(), TPixelFormat::pf24bit);
    result.Canvas().Draw(0, 0, source, TRasterOp::SRCCOPY);
    return result;
}
