#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "graphics/Bitmap.h"
#include "icons/ByteReader.h"
#include "writers/OutputFile.h"

class TByteWriter;

// The graphic control extension of one frame: here only its transparency. Disposal method
// and delay stay 0 (not specified, no delay).
class TGIFGraphicControlExtension {
public:
    bool Transparent = false;
    std::uint8_t TransparentColorIndex = 0;

    void WriteTo(TByteWriter& Out) const;
};

// One frame: palette indices, rows top first, with its own colour table.
class TGIFSubImage {
public:
    // Takes a 1-, 4- or 8-bit palettised bitmap as it is, keeping every pixel's index and
    // the palette. Throws std::invalid_argument for other formats or a palette of more than
    // 256 colours.
    explicit TGIFSubImage(const TBitmap& Bitmap);

    int Width() const { return width_; }
    int Height() const { return height_; }

    // Attached when the frame has one; written just before the frame.
    std::optional<TGIFGraphicControlExtension> GraphicControl;

    // Bits of the colour table as written (padded to a power of two, at least 2 entries).
    int ColorTableBits() const;
    // The extension, image descriptor, local colour table and LZW image data. Throws
    // TWriteError "Color not in color table" for a pixel outside the colour table.
    void WriteTo(TByteWriter& Out) const;

private:
    int width_;
    int height_;
    std::vector<TColor> colorMap_;
    ByteString pixels_;
};

// A GIF file of one or more frames at position (0, 0), without a global colour table.
class TGIFImage {
public:
    // Adds a frame taken from a palettised bitmap (see TGIFSubImage) and returns it.
    TGIFSubImage& Add(const TBitmap& Bitmap);

    // "GIF89a" when any frame has an extension, "GIF87a" otherwise.
    ByteString SaveToBytes() const;
    // Throws TWriteError "Error Opening File <name>!", "Error Writing GIF File!" or "Color not
    // in color table"; a failed save leaves the target as it was.
    void SaveToFile(const TOutputTarget& Target) const;

private:
    std::vector<TGIFSubImage> images_;
};
