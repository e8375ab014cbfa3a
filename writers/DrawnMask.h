#pragma once

#include "graphics/Bitmap.h"
#include "icons/LoadedIcon.h"

// The mask of an image as its drawing shows it, for images whose mask rows cannot be used: a
// system icon, known only through its handle, or an image without rows. The image is drawn
// once over black and once over white, and every pixel that comes out differently shows the
// background, so it is transparent. Result: a 1-bit bitmap of the image's size, black where
// the image is opaque and white where it is transparent (all white when nothing is drawn).
TBitmap DrawnMask(TLoadedIconImage& Image);
