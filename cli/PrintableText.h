#pragma once

#include <string>
#include <string_view>

// Text as a line of the listing or of stderr shows it: control characters written as \xHH, so
// that a name cannot break or rewrite the line.
std::string Printable(std::string_view text);
