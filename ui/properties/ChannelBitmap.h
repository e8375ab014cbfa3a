#pragma once

#include "graphics/Bitmap.h"
#include "icons/LoadedIcon.h"

// The three channels the properties dialog shows of an image.
enum class TChannel { Mask, Image, Alpha };

// Draws one channel of the image with its top-left corner at (X, Y).
void DrawChannel(TLoadedIconImage& Image, TChannel Channel, TCanvas& Canvas, int X, int Y);

// A bitmap of the image's size holding one channel drawn at (0, 0): 1 bit per pixel for the
// mask, 24 for the colour image and the alpha channel.
TBitmap MakeChannelBitmap(TLoadedIconImage& Image, TChannel Channel);
