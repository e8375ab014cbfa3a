#pragma once

#include <string>

#include "graphics/Bitmap.h"
#include "icons/LoadedIcon.h"
#include "writers/OutputFile.h"

// Saves the image drawn over Background as an uncompressed 24-bit Windows bitmap. Throws
// TWriteError "Error Opening File <name>!" or "Error Writing BMP File!"; a failed save leaves
// the target as it was.
void SaveImageAsBmp(TLoadedIconImage& Image, const TOutputTarget& Target, TColor Background);

// The bytes of a BMP file holding a 24-bit bitmap: file header, 40-byte information header,
// rows bottom first, blue-green-red, each padded to 4 bytes.
ByteString EncodeBmp(const TBitmap& Bitmap);
