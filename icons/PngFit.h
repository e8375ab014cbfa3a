#pragma once

#include "icons/PngStream.h"

// Some icons hold a PNG whose size differs from its directory entry (a 194 x 313 picture in a
// 256-pixel entry, say). The picture is shown whole: scaled down with a box filter when it is
// larger than the entry, and centred on a transparent canvas of the entry's size.
TDecodedPng FitPngInto(const TDecodedPng& png, int width, int height);
