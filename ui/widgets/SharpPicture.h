#pragma once

#include <QImage>

#include "graphics/Bitmap.h"

class TLoadedIconImage;
struct TCellScale;

// The image drawn over Background at the scale given: whole blocks without smoothing, or
// scaled down by area averaging. The grid's cells and the properties previews draw images
// alike, sharp at every device pixel ratio.
TBitmap ScaledDrawing(const TLoadedIconImage& Image, TColor Background, const TCellScale& Scale);
// The same as a picture of device pixels.
QImage SharpPicture(const TLoadedIconImage& Image, TColor Background, const TCellScale& Scale);
