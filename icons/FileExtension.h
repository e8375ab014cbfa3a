#pragma once

#include <string>
#include <string_view>

// The name's extension from its last dot on, dot included, lower-cased; empty when the name
// (the part after the last separator) has no dot.
std::string LowerExtension(std::string_view fileName);
