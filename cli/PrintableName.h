#pragma once

#include <string>

// A name as a text line shows it: control characters written as \xHH, so that a name cannot
// break or rewrite the line.
std::string Printable(const std::string& name);
