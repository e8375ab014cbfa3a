#pragma once

#include <memory>
#include <string>

#include "graphics/Bitmap.h"
#include "icons/LoadedIcon.h"

// Colours of BorderedImage: most of the inside, and the marker pixel at (1, 1).
constexpr TColor kInside{200, 30, 60};
constexpr TColor kMarker{10, 220, 40};

// A 16 x 16, 4-bit image whose one-pixel border is transparent (mask bit 1, colour index 0)
// and whose inside is palette colour 1 (kInside), but for pixel (1, 1) in colour 2 (kMarker).
std::unique_ptr<TLoadedIconImage> BorderedImage();

bool OnBorder(int x, int y, int size = 16);

// An image that a reader left without rows (a PNG-stored image read before decoding existed,
// or a 256-pixel entry): directory values only.
std::unique_ptr<TLoadedIconImage> ImageWithoutRows(int width, int height, int bitCount);

// A system icon that draws a 2 x 2 blue square at its position.
class SquareSystemIcon : public TSystemIcon {
public:
    void Draw(TCanvas& canvas, int x, int y) const override;
};

std::unique_ptr<TLoadedIconImage> SystemIconImage();

// The whole content of a file.
ByteString FileBytes(const std::string& fileName);
