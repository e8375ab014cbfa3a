#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "icons/LoadedIcon.h"

// An image as a reader leaves it: rows of the right strides, all pixels 0 and opaque, and for
// bit counts up to 8 a palette of 2^BitCount black entries. A width or height of 256 is stored
// as the directory byte 0.
std::unique_ptr<TLoadedIconImage> MakeImage(int width, int height, int bitCount);

// Appends such an image to `icon` with the given resource name and returns it.
TLoadedIconImage& AddImage(TLoadedIcon& icon, int width, int height, int bitCount,
                           const std::string& resourceName = "");

// Pixel (x, y), y counted from the top, of the stored colour rows: a palette index, a 5-5-5
// word, or blue-green-red(-alpha) packed with blue lowest.
void SetStoredPixel(TLoadedIconImage& image, int x, int y, std::uint32_t value);
// 32-bit pixel (x, y) from red, green, blue and alpha.
void SetRgba(TLoadedIconImage& image, int x, int y, std::uint8_t red, std::uint8_t green,
             std::uint8_t blue, std::uint8_t alpha);
void SetMaskBit(TLoadedIconImage& image, int x, int y, bool transparent);
void SetPaletteColor(TLoadedIconImage& image, int index, std::uint8_t red, std::uint8_t green,
                     std::uint8_t blue);
