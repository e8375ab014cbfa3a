#pragma once

#include "hashes/GreyImage.h"

// Resizes a grey picture with Pillow 9.4's Lanczos resampler, bit for bit: a separable
// convolution, the horizontal pass first, a pass whose size does not change skipped; the
// filter is stretched by the scale when shrinking, its weights normalised and then held in
// 22-bit fixed point.
TGreyImage ResizeLanczos(const TGreyImage& Image, int Width, int Height);
