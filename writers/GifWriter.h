#pragma once

#include <string>

#include "graphics/Bitmap.h"
#include "icons/LoadedIcon.h"
#include "writers/OutputFile.h"

// Saves the image as a GIF of at most 256 colours: drawn over Background (transparent pixels
// come out white first), reduced to a palette, with one palette index marked transparent
// where the mask is transparent. Throws TWriteError as TGIFImage::SaveToFile does.
void SaveImageAsGif(TLoadedIconImage& Image, const TOutputTarget& Target, TColor Background);

// A colour bitmap reduced for GIF output, with the index its transparent pixels use.
struct TGifReduction {
    TBitmap Bitmap;             // 8 bits per pixel, 256 palette entries
    int TransparentIndex = -1;  // -1: no pixel is transparent
};

// Reduces the 24-bit Color to 256 colours and paints every pixel that the 1-bit Mask marks
// transparent (white) with one index that no other pixel uses: the lowest unused index or,
// when all 256 are in use, the least used one after its opaque pixels moved to their nearest
// other palette colour. When all are in use and nothing is transparent, no index is chosen.
TGifReduction ReduceForGif(const TBitmap& Color, const TBitmap& Mask);
