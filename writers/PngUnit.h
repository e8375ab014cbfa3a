#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "graphics/Bitmap.h"
#include "icons/LoadedIcon.h"
#include "icons/StraightAlpha.h"
#include "writers/OutputFile.h"

// The red-green-blue-alpha image one PNG save writes: rows top first, 8 bits per channel.
struct TPngBuffer {
    TPngBuffer(std::int32_t Width, std::int32_t Height);
    // A copy of the image's pixels.
    explicit TPngBuffer(const TRgbaImage& Image);
    TPngBuffer(const TPngBuffer&) = delete;
    TPngBuffer& operator=(const TPngBuffer&) = delete;

    std::int32_t Width;
    std::int32_t Height;
    std::int32_t ColorType = 6;  // truecolour with alpha
    std::int32_t BytesPerPixel = 4;
    std::int32_t BitDepth = 8;
    std::vector<std::uint8_t> Pixels;  // Width x Height x 4 bytes
    std::vector<std::uint8_t*> Rows;   // Rows[r] points at row r of Pixels
};

// The text of the tEXt "Software" chunk of every PNG written.
extern const char kPngSoftware[];

// Saves the image as a PNG with an alpha channel. An image whose alpha decides (see
// AlphaDecides) is written as stored, every pixel's colour and alpha; others are drawn over
// white with the mask as alpha. A PNG-stored image in
// 8-bit RGBA of its entry's size is written from its stored stream. Background only goes into
// the file's bKGD chunk.
void SaveImageAsPng(TLoadedIconImage& Image, const TOutputTarget& Target, TColor Background);

// The PNG stream SaveImageAsPng writes, in memory.
ByteString ImagePngStream(TLoadedIconImage& Image, TColor Background);

// Packs a colour bitmap and an opacity bitmap (both 24-bit, equal size; the opacity is read
// from the first byte of each pixel) into RGBA and writes it with a bKGD chunk.
void SaveBitmapsAsPng(const TOutputTarget& Target, const TBitmap& Color, const TBitmap& Opacity,
                      TColor Background);

// Buffer as a PNG stream in memory, with the chunks WritePngFile writes; throws TWriteError
// "Error Writing PNG File!" when libpng fails.
ByteString EncodePng(const TPngBuffer& Buffer, TColor Background, bool WriteBackground);

// Writes Buffer as the target: IHDR, the bKGD chunk when WriteBackground is set, one tEXt
// "Software" chunk, the image data and IEND. Throws TWriteError "Error Opening File <name>!"
// when the file cannot be created and "Error Writing PNG File!" when libpng or the file fails;
// after a failure the target is left as it was.
void WritePngFile(const TPngBuffer& Buffer, const TOutputTarget& Target, TColor Background,
                  bool WriteBackground);
