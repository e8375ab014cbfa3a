#pragma once

#include <optional>

#include "hashes/GreyImage.h"
#include "icons/ByteReader.h"

// The picture Pillow 9.4 opens from an icon file (.ico) or cursor file (.cur), converted to
// grey as its convert('L') does; nothing where Pillow fails to open or load it.
//
// From an icon file Pillow takes the entry of the largest width x height (a 0 byte is 256),
// then of the deepest bit count (else ceil(log2(colour count)), else 256), a full tie going to
// the last entry; a bitmap must also hold its mask (or, at 32 bits, a full alpha plane). From
// a cursor file it takes the first entry, or a later one both wider and taller.
std::optional<TGreyImage> PillowGreyImage(ByteView file);
