#pragma once

#include "icons/LoadedIcon.h"

// The image that stands for a file, as Windows shows it: among the images of the file's first
// icon (the images sharing the first image's resource name), the smallest that is at least
// Size pixels wide, else the largest; among equal sizes the deepest colour, then the first.
// Nullptr for a file without images.
const TLoadedIconImage* ChooseThumbnailImage(const TLoadedIcon& Icon, int Size);
