#pragma once

#include "icons/StraightAlpha.h"

// Scales Source down to Width x Height (each at most the source's) by area averaging: every
// target pixel is the mean of the source area it covers, partly covered source pixels counted
// by the part they cover. Colours are averaged premultiplied by alpha, so transparent pixels
// lend no colour to the edges, and the result is straight alpha again.
TRgbaImage ScaleDownByArea(const TRgbaImage& Source, int Width, int Height);
