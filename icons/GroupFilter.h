#pragma once

#include <string>
#include <string_view>
#include <vector>

// The icon groups a load reads: every group, or only those chosen by name and the main icon.
// An executable's main icon is its first icon group in enumeration order (named groups before
// numbered ones, as the resource directory stores them), the one a file manager shows; an icon
// or cursor file is one unnamed group, its own main icon; an animated cursor holds no group.
struct TGroupFilter {
    // Group names as listings show them ("#101", or the group's name), matched ignoring the
    // case of ASCII letters.
    std::vector<std::string> Names;
    bool MainIcon = false;

    // Nothing chosen: every group is read.
    bool TakesAll() const { return Names.empty() && !MainIcon; }
    // Whether the group of that name is read; First tells it is the file's main icon.
    bool Takes(std::string_view ResourceName, bool First) const;
};

// Whether a name chosen names the group ResourceName, ignoring the case of ASCII letters: by
// the bytes stored, or for an 8-bit name that is not UTF-8 also by its ReadableName.
bool SameGroupName(std::string_view Chosen, std::string_view ResourceName);
