#pragma once

#include "graphics/Bitmap.h"

// Reduces a 24-bit bitmap to an 8-bit palettised one of the same size with a 256-entry
// palette: the palette is built from the bitmap's own colours by octree quantisation, and the
// pixels are mapped to it with serpentine Burkes error diffusion. Other pixel formats are
// converted to 24 bits first.
TBitmap ReduceColors(const TBitmap& Source);
