#pragma once

#include <memory>

#include "graphics/Bitmap.h"
#include "icons/LoadedIcon.h"

// The size of the palette picture of the properties dialog.
constexpr int kPalettePictureWidth = 209;
constexpr int kPalettePictureHeight = 161;

// The palette of a 4- or 8-bit image drawn as a grid of colour cells in a 24-bit bitmap:
// 4 x 4 cells of 52 x 40 for 16 colours, 16 x 16 cells of 13 x 10 for 256, entry 4r + c
// (16r + c) in row r and column c, with one-pixel black lines around and between all cells.
// Null for images without a palette and for other colour depths.
std::unique_ptr<TBitmap> MakePalettePicture(const TLoadedIconImage& Image);
