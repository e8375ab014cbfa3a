#pragma once

#include "IcoBuilder.h"

// An icon image that looks like a picture: a coloured disc with a dark rim on a transparent
// surround, in any of the depths 1, 4, 8, 24 and 32 bits. 32-bit images have soft edges and a
// partly transparent glow; the others are cut out by their mask.
IcoEntry PictureEntry(int size, int bitCount);
