#pragma once

#include "graphics/Bitmap.h"
#include "icons/StraightAlpha.h"

struct TPictureSize {
    int Width = 0;
    int Height = 0;
};

// The size a Width x Height picture takes in a BoxWidth x BoxHeight box: its own when it fits,
// otherwise the largest of its aspect that fits, each side at least 1. Never larger than its own.
TPictureSize FitWithin(int Width, int Height, int BoxWidth, int BoxHeight);

// Scales Source down to Width x Height (each at most the source's) by area averaging: every
// target pixel is the mean of the source area it covers, partly covered source pixels counted
// by the part they cover. Colours are averaged premultiplied by alpha, so transparent pixels
// lend no colour to the edges, and the result is straight alpha again.
TRgbaImage ScaleDownByArea(const TRgbaImage& Source, int Width, int Height);

// An opaque picture (a drawing over a background) scaled down the same way, as 24 bits.
TBitmap ScaleBitmapDownByArea(const TBitmap& Source, int Width, int Height);
