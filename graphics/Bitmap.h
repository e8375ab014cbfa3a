#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "graphics/Color.h"
#include "graphics/PixelFormat.h"
#include "graphics/RasterOp.h"

class TBitmap;

// Draws onto its bitmap: a brush colour for fills and MERGECOPY, and bitmap drawing under a
// raster operation. Drawing works on colours: every source pixel is resolved to red, green and
// blue (through the palette, or from 5-5-5), combined byte-wise with the destination, and
// stored back in the destination's format.
class TCanvas {
public:
    explicit TCanvas(TBitmap& bitmap) : bitmap_(bitmap) {}

    TColor BrushColor = clWhite;  // a fresh bitmap's brush is white
    TRasterOp CopyMode = TRasterOp::SRCCOPY;

    // Fills [left, right) x [top, bottom) with the brush colour, clipped to the bitmap.
    void FillRect(int left, int top, int right, int bottom);
    TColor Pixel(int x, int y) const;
    // Draws source with its top-left corner at (x, y) under CopyMode, clipped.
    void Draw(int x, int y, const TBitmap& source);
    void Draw(int x, int y, const TBitmap& source, TRasterOp op);

private:
    TBitmap& bitmap_;
};

// A device-independent bitmap with directly addressable rows, top row first, each row padded
// to 4 bytes. Palettised formats carry a palette (1-bit: black and white by default).
class TBitmap {
public:
    TBitmap(int width, int height, TPixelFormat format);
    TBitmap(const TBitmap& other);
    TBitmap& operator=(const TBitmap&) = delete;

    int Width() const { return width_; }
    int Height() const { return height_; }
    TPixelFormat PixelFormat() const { return format_; }
    int Stride() const { return stride_; }

    std::uint8_t* ScanLine(int y) { return bits_.data() + static_cast<std::size_t>(y) * stride_; }
    const std::uint8_t* ScanLine(int y) const {
        return bits_.data() + static_cast<std::size_t>(y) * stride_;
    }

    // Colour table of palettised formats; index i is the colour of pixel value i.
    std::vector<TColor> Palette;

    // The pixel's raw value: a palette index, a 5-5-5 word, or the blue-green-red(-alpha)
    // bytes packed with blue lowest.
    std::uint32_t RawPixel(int x, int y) const;
    void SetRawPixel(int x, int y, std::uint32_t value);
    // The pixel's colour, resolved through the palette.
    TColor PixelColor(int x, int y) const;
    // Stores a colour: directly for 16, 24 and 32 bits (alpha 0), as the nearest palette
    // entry otherwise.
    void SetPixelColor(int x, int y, TColor color);

    TCanvas& Canvas() { return canvas_; }

private:
    std::uint8_t NearestIndex(TColor color) const;

    int width_;
    int height_;
    TPixelFormat format_;
    int stride_;
    std::vector<std::uint8_t> bits_;
    TCanvas canvas_;
};

// A copy of any bitmap converted to 24 bits per pixel.
TBitmap ConvertTo24Bit(const TBitmap& source);
