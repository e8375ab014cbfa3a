#pragma once

#include <QImage>

#include "graphics/Bitmap.h"

// A QImage with the pixels of a core bitmap: a 1-bit bitmap becomes a monochrome image with
// the bitmap's two colours, every other format a 24-bit image of the resolved colours.
QImage BitmapToQImage(const TBitmap& Bitmap);
