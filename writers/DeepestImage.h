#pragma once

#include <vector>

#include "icons/LoadedIcon.h"

// The colour depth an image ranks by when one of several images of a size is chosen: its bit
// count, a PNG-stored image counting as 32.
int RankedDepth(const TLoadedIconImage& Image);

// Among the sound images (not damaged, not known only through the shell) that are Size pixels
// wide and high, the one of highest ranked depth, the first of equals; null when there is none.
TLoadedIconImage* DeepestOfSize(const std::vector<TLoadedIconImage*>& Images, int Size);
