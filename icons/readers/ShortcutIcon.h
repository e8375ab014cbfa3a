#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The icon a shortcut names: Windows paths to try in turn (the first whose file exists is
// taken; when none exists, the last is the one reported), and the icon index, the n-th group
// in enumeration order for 0 and more, the group with the id of its absolute value when
// negative.
struct TShortcutIcon {
    std::vector<std::string> WindowsPaths;
    std::int32_t Index = 0;
};
