#pragma once

#include <cstdint>

#include "icons/ByteReader.h"

// Icon images of Windows Vista and later may be stored as a PNG stream instead of a bitmap.
bool IsPngStream(ByteView data);

// Whether a PNG stream's chunks, up to and with its end chunk, all lie within data.
bool PngStreamComplete(ByteView data);

// A decoded PNG stream: 8-bit red, green, blue, alpha pixels, top row first.
struct TDecodedPng {
    int Width = 0;
    int Height = 0;
    ByteString Rgba;
};

// Largest width or height accepted; icon images are at most 256 pixels, a few reach 1024.
constexpr int kMaxPngSide = 1024;

// Decodes any colour type and bit depth libpng can expand (palette, grey, RGB, 16-bit, with or
// without transparency chunks, interlaced or not) to 8-bit RGBA. Throws TReadError on a
// corrupt or truncated stream and on a side larger than kMaxPngSide.
TDecodedPng DecodePngStream(ByteView data);
