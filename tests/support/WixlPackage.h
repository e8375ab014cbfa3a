#pragma once

#include <string>
#include <vector>

#include "TempDir.h"

// A row of an installer's Icon or Binary table: its name and its stream.
struct MsiRow {
    std::string name;
    ByteString data;
};

// Builds an installer package with wixl from a small .wxs written beside it in `dir`: the
// Icon and Binary rows given and, when productIcon is not empty, the ARPPRODUCTICON property.
// Returns the package's path, or an empty string when wixl is not installed or fails.
std::string BuildMsiWithWixl(const TempDir& dir, const std::vector<MsiRow>& icons,
                             const std::vector<MsiRow>& binaries, const std::string& productIcon);
