#pragma once

#include <optional>
#include <string>

#include "hashes/GreyImage.h"
#include "icons/ByteReader.h"

// The 64-bit difference hash of a grey picture, as malware sandboxes compute icon hashes: the
// picture shrunk to 9 x 8 with Pillow's Lanczos resampler; bit i (row by row, 8 per row) set
// when a pixel is brighter than its right neighbour; packed least significant bit first into
// 8 bytes, written as 16 lowercase hexadecimal digits.
std::string DifferenceHash(const TGreyImage& Image);

// The difference hash of the picture Pillow opens from an icon or cursor file; nothing when
// Pillow would fail to open it.
std::optional<std::string> IconFileDifferenceHash(ByteView File);
