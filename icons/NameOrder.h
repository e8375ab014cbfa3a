#pragma once

#include <string_view>

// The order of file and folder names wherever the program lists them (the folder tree, the
// file list, the scans of the window and of the command-line tool): names compared code point
// by code point without regard to case, ties broken by the names' own code points so the order
// is total ("a" < "B" < "b" < "c"). Names are UTF-8; a byte that is not part of a valid UTF-8
// sequence counts as a code point of its own, after every valid one.
bool NameLess(std::string_view a, std::string_view b);
