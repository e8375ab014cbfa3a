#pragma once

#include <string>

#include "icons/LoadedIcon.h"

// The image a thumbnail of Size pixels shows, among the images of the icon's first icon (its
// first group; all of an icon or cursor file): the smallest at least Size pixels wide and high
// on its longer side, or when none is that large the largest; among equal sizes the deepest
// colour. Damaged images are never chosen: when the first icon holds no sound one, the best
// sound image of any icon is. Nothing when the icon holds no image that can be drawn.
TLoadedIconImage* ChooseThumbnailImage(const TLoadedIcon& Icon, int Size);

// Writes the image as a PNG with straight alpha, scaled down by area averaging so that its
// longer side is Size pixels; never scaled up. Throws TWriteError as the PNG writer does.
void SaveThumbnail(TLoadedIconImage& Image, int Size, const std::string& FileName);
