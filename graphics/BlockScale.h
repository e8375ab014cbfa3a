#pragma once

#include "graphics/Bitmap.h"

// Source enlarged `block` times without smoothing: every pixel becomes a square of block x
// block pixels of its own value, in the source's format and palette.
TBitmap ScaleBitmapUpByBlocks(const TBitmap& Source, int block);
