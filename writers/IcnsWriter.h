#pragma once

#include <string>
#include <vector>

#include "graphics/Color.h"
#include "icons/LoadedIcon.h"
#include "writers/OutputFile.h"

// The message an image set without any size an Apple icon image holds gives.
extern const char kIcnsNoSizeMessage[];

// Writes the images into one Apple icon image (.icns) that replaces any file of that name once
// it is fully written. Each size ICNS stores as PNG (16, 32, 64, 128, 256, 512, 1024 pixels)
// takes the deepest sound image of exactly that size (see DeepestOfSize), as the PNG writer
// writes it with Background in its bKGD chunk, under its type (icp4, icp5, icp6, ic07, ic08,
// ic09, ic10); a 32, 64, 256 or 512-pixel image also goes under the retina type of half its
// size (ic11, ic12, ic13, ic14). Other sizes are left out, nothing is scaled. A table of
// contents ("TOC ") comes first. Raises TWriteError kIcnsNoSizeMessage when no image has one
// of those sizes, and the writers' texts when the file cannot be written.
void WriteIcnsFile(const TOutputTarget& Target, const std::vector<TLoadedIconImage*>& Images,
                   TColor Background);

// Writes one image as an Apple icon image.
void SaveImageAsIcns(TLoadedIconImage& Image, const TOutputTarget& Target, TColor Background);
