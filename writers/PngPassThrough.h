#pragma once

#include <optional>

#include "graphics/Color.h"
#include "icons/LoadedIcon.h"

// A PNG-stored image whose pixels the PNG writer would write unchanged: its header chunk says
// 8-bit red, green, blue and alpha, not interlaced, of the entry's size. Decided from the
// header chunk alone, without decoding.
bool WritesStoredPng(const TLoadedIconImage& Image);

// The stored stream with the writer's tEXt "Software" chunk and a bKGD chunk of Background put
// before the first IDAT chunk (a bKGD chunk of the stream's own is left out). Nothing when the
// chunks do not walk cleanly to IEND: one running past the end or failing its CRC.
std::optional<ByteString> StoredPngWithChunks(ByteView Stream, TColor Background);
