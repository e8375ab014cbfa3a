#include "icons/Rendering.h"

#include <algorithm>
#include <cstring>

namespace {

std::size_t RowBytes(int width, int bits) {
    return RowStride(static_cast<std::size_t>(width), static_cast<std::size_t>(bits));
}

// Rows hold Height rows of at least the row size the width needs.
bool RowsComplete(const ByteString& rows, std::size_t stride, int height, std::size_t needed) {
    return stride >= needed && rows.size() >= stride * static_cast<std::size_t>(height);
}

// Bit counts shown in their own format keep their stored rows as display rows.
bool KeepsStoredRows(int bitCount) {
    const TPixelFormatRow* row = FindPixelFormat(bitCount);
    return row && row->Own == row->Display;
}

// Stored rows run bottom first, bitmap rows top first.
void CopyRowsInto(TBitmap& bitmap, const ByteString& rows, std::size_t stride) {
    std::size_t length = std::min(stride, static_cast<std::size_t>(bitmap.Stride()));
    for (int i = 0; i < bitmap.Height(); ++i) {
        std::memcpy(bitmap.ScanLine(bitmap.Height() - 1 - i),
                    rows.data() + static_cast<std::size_t>(i) * stride, length);
    }
}

ByteString RowsOf(const TBitmap& bitmap, std::size_t stride) {
    ByteString rows(stride * static_cast<std::size_t>(bitmap.Height()));
    for (int i = 0; i < bitmap.Height(); ++i) {
        std::memcpy(rows.data() + static_cast<std::size_t>(i) * stride,
                    bitmap.ScanLine(bitmap.Height() - 1 - i), stride);
    }
    return rows;
}

void ApplyPalette(const TLoadedIconImage& image, TBitmap& bitmap) {
    if (!image.HasPalette) return;
    std::size_t count =
        std::min<std::size_t>(image.Palette.NumEntries, image.Palette.Entries.size());
    bitmap.Palette.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        const TPaletteEntry& entry = image.Palette.Entries[i];
        bitmap.Palette[i] = {entry.Red, entry.Green, entry.Blue};
    }
}

// 4, 8 and 16 bits go through a bitmap of their own format onto a 24-bit one.
TDisplayRows ConvertToDisplayRows(const TLoadedIconImage& image) {
    TDisplayRows display;
    const TImageRows& rows = image.Rows();
    TBitmap source = CreateFormatBitmap(image);
    std::size_t needed = RowBytes(image.PixelWidth(), image.BitCount);
    if (BitsPerPixel(source.PixelFormat()) != image.BitCount ||
        !RowsComplete(rows.ImageBits, static_cast<std::size_t>(rows.ImageStride),
                      image.PixelHeight(), needed))
        return display;
    ApplyPalette(image, source);
    CopyRowsInto(source, rows.ImageBits, static_cast<std::size_t>(rows.ImageStride));
    TBitmap converted = ConvertTo24Bit(source);
    std::size_t stride = RowBytes(image.PixelWidth(), 24);
    display.DisplayStride = static_cast<std::int32_t>(stride);
    display.Converted = RowsOf(converted, stride);
    return display;
}

int DisplayBitCount(const TLoadedIconImage& image) {
    return BitsPerPixel(DisplayFormat(image.BitCount));
}

// Prepares the display rows and tells whether mask and colour rows are there to draw.
bool PrepareRows(const TLoadedIconImage& image) {
    if (image.IsSystemIcon) return false;
    int width = image.PixelWidth();
    int height = image.PixelHeight();
    const ByteString& display = image.DisplayBits();
    const TImageRows& rows = image.Rows();
    return !rows.MaskBits.empty() && !display.empty() &&
           RowsComplete(rows.MaskBits, rows.MaskStride, height, RowBytes(width, 1)) &&
           RowsComplete(display, static_cast<std::size_t>(image.DisplayStride()), height,
                        RowBytes(width, DisplayBitCount(image)));
}

// The display rows as a bitmap; 1-bit images show black and white whatever their palette.
TBitmap CreateColourBitmap(const TLoadedIconImage& image) {
    TBitmap colour(image.PixelWidth(), image.PixelHeight(), DisplayFormat(image.BitCount));
    CopyRowsInto(colour, image.DisplayBits(), static_cast<std::size_t>(image.DisplayStride()));
    return colour;
}

// One channel of background and image mixed by t / 256, rounded half to even; the sum is
// kept in 256ths so the rounding is exact.
std::uint8_t Blend(std::uint8_t background, std::uint8_t colour, unsigned t) {
    unsigned sum = background * (256u - t) + colour * t;
    unsigned whole = sum >> 8;
    unsigned rest = sum & 0xFFu;
    if (rest > 128u || (rest == 128u && (whole & 1u) != 0)) ++whole;
    return static_cast<std::uint8_t>(whole);
}

// The colour channels of a 32-bit image whose alpha decides, blended over the background;
// fully transparent pixels become black so that drawing with SRCINVERT leaves the destination
// there.
TBitmap CreateBlendedBitmap(const TLoadedIconImage& image, TColor background) {
    int width = image.PixelWidth();
    int height = image.PixelHeight();
    TBitmap blended(width, height, TPixelFormat::pf24bit);
    const ByteString& display = image.DisplayBits();
    auto displayStride = static_cast<std::size_t>(image.DisplayStride());
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* src =
            display.data() + static_cast<std::size_t>(height - 1 - y) * displayStride;
        std::uint8_t* dst = blended.ScanLine(y);
        for (int x = 0; x < width; ++x, src += 4, dst += 3) {
            unsigned t = src[3];
            if (t == 255u) {
                std::memcpy(dst, src, 3);
            } else if (t != 0u) {
                dst[0] = Blend(background.Blue, src[0], t);
                dst[1] = Blend(background.Green, src[1], t);
                dst[2] = Blend(background.Red, src[2], t);
            }
        }
    }
    return blended;
}

// The stored rows of a 32-bit image, or nothing when they are not all there.
const ByteString* AlphaRows(const TLoadedIconImage& image) {
    if (image.BitCount != 32 || image.IsSystemIcon) return nullptr;
    const TImageRows& rows = image.Rows();
    if (!RowsComplete(rows.ImageBits, static_cast<std::size_t>(rows.ImageStride),
                      image.PixelHeight(), RowBytes(image.PixelWidth(), 32)))
        return nullptr;
    return &rows.ImageBits;
}

// A 1-bit mask white (transparent) where the alpha byte is 0.
TBitmap CreateZeroAlphaMask(const TLoadedIconImage& image) {
    int width = image.PixelWidth();
    int height = image.PixelHeight();
    TBitmap mask(width, height, TPixelFormat::pf1bit);
    const TImageRows& rows = image.Rows();
    auto stride = static_cast<std::size_t>(rows.ImageStride);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* src =
            rows.ImageBits.data() + static_cast<std::size_t>(height - 1 - y) * stride;
        std::uint8_t* dst = mask.ScanLine(y);
        std::memset(dst, 0, static_cast<std::size_t>(mask.Stride()));
        for (int x = 0; x < width; ++x)
            if (src[x * 4 + 3] == 0) dst[x / 8] |= static_cast<std::uint8_t>(0x80u >> (x % 8));
    }
    return mask;
}

TBitmap CreateDrawingMask(const TLoadedIconImage& image, bool alphaDecides) {
    return alphaDecides ? CreateZeroAlphaMask(image) : CreateMaskBitmap(image);
}

}  // namespace

TBitmap CreateFormatBitmap(const TLoadedIconImage& Image) {
    return TBitmap(Image.PixelWidth(), Image.PixelHeight(), OwnFormat(Image.BitCount));
}

TDisplayRows BuildDisplayRows(const TLoadedIconImage& Image) {
    if (!KeepsStoredRows(Image.BitCount)) return ConvertToDisplayRows(Image);
    TDisplayRows display;
    display.SharesImageRows = true;
    display.DisplayStride = static_cast<std::int32_t>(RowBytes(Image.PixelWidth(), Image.BitCount));
    return display;
}

void PrepareDisplayBits(const TLoadedIconImage& Image) {
    Image.DisplayBits();
}

bool AlphaDecides(const TLoadedIconImage& Image) {
    const ByteString* rows = AlphaRows(Image);
    if (!rows) return false;
    auto stride = static_cast<std::size_t>(Image.ImageStride());
    for (int y = 0; y < Image.PixelHeight(); ++y) {
        const std::uint8_t* row = rows->data() + static_cast<std::size_t>(y) * stride;
        for (int x = 0; x < Image.PixelWidth(); ++x)
            if (row[x * 4 + 3] != 0) return true;
    }
    return false;
}

TBitmap CreateDrawingMask(const TLoadedIconImage& Image) {
    return CreateDrawingMask(Image, AlphaDecides(Image));
}

TBitmap CreateMaskBitmap(const TLoadedIconImage& Image) {
    TBitmap mask(Image.PixelWidth(), Image.PixelHeight(), TPixelFormat::pf1bit);
    const TImageRows& rows = Image.Rows();
    if (RowsComplete(rows.MaskBits, rows.MaskStride, Image.PixelHeight(),
                     RowBytes(Image.PixelWidth(), 1)))
        CopyRowsInto(mask, rows.MaskBits, rows.MaskStride);
    return mask;
}

void DrawIconImage(const TLoadedIconImage& Image, TCanvas& Canvas, int X, int Y,
                   TColor Background) {
    if (Image.IsSystemIcon) {
        if (Image.SystemIcon) Image.SystemIcon->Draw(Canvas, X, Y);
        return;
    }
    if (!PrepareRows(Image)) return;
    const bool alphaDecides = AlphaDecides(Image);
    Canvas.Draw(X, Y, CreateDrawingMask(Image, alphaDecides), TRasterOp::MERGECOPY);
    Canvas.Draw(X, Y,
                alphaDecides ? CreateBlendedBitmap(Image, Background) : CreateColourBitmap(Image),
                TRasterOp::SRCINVERT);
}

void DrawMask(const TLoadedIconImage& Image, TCanvas& Canvas, int X, int Y) {
    if (!PrepareRows(Image)) return;
    Canvas.Draw(X, Y, CreateMaskBitmap(Image), TRasterOp::SRCCOPY);
}

void DrawMaskInverted(const TLoadedIconImage& Image, TCanvas& Canvas, int X, int Y) {
    if (!PrepareRows(Image)) return;
    Canvas.Draw(X, Y, CreateMaskBitmap(Image), TRasterOp::MERGEPAINT);
}

void DrawImageChannel(const TLoadedIconImage& Image, TCanvas& Canvas, int X, int Y) {
    if (!PrepareRows(Image)) return;
    Canvas.Draw(X, Y, CreateColourBitmap(Image), TRasterOp::SRCCOPY);
}

void DrawAlphaChannel(const TLoadedIconImage& Image, TCanvas& Canvas, int X, int Y) {
    int width = Image.PixelWidth();
    int height = Image.PixelHeight();
    if (Image.BitCount != 32 || Image.IsSystemIcon) return;
    const TImageRows& rows = Image.Rows();
    auto stride = static_cast<std::size_t>(rows.ImageStride);
    if (!RowsComplete(rows.ImageBits, stride, height, RowBytes(width, 32))) return;
    TBitmap alpha(width, height, TPixelFormat::pf24bit);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* src =
            rows.ImageBits.data() + static_cast<std::size_t>(height - 1 - y) * stride;
        std::uint8_t* dst = alpha.ScanLine(y);
        for (int x = 0; x < width; ++x, dst += 3) std::memset(dst, src[x * 4 + 3], 3);
    }
    Canvas.Draw(X, Y, alpha, TRasterOp::SRCCOPY);
}

TBitmap DrawOverBackground(const TLoadedIconImage& Image, TColor Background) {
    TBitmap bitmap(Image.PixelWidth(), Image.PixelHeight(), TPixelFormat::pf24bit);
    bitmap.Canvas().BrushColor = Background;
    bitmap.Canvas().FillRect(0, 0, bitmap.Width(), bitmap.Height());
    DrawIconImage(Image, bitmap.Canvas(), 0, 0, Background);
    return bitmap;
}

void CopyImageToClipboard(const TLoadedIconImage& Image, TColor Background,
                          TClipboardSink& Clipboard) {
    Clipboard.SetBitmap(DrawOverBackground(Image, Background));
}
