#pragma once

#include <vector>

#include "ui/widgets/Glyphs.h"

// A glyph drawn as rows of characters, one character a pixel; GlyphColor tells the colours.
using TGlyphArt = std::vector<const char*>;

const TGlyphArt& GlyphArt(TGlyph glyph);

// The colour (ARGB) of an art character; '.' is transparent. Throws std::logic_error for a
// character that names no colour.
unsigned GlyphColor(char pixel);
