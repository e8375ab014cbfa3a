#pragma once

#include "icons/LoadedIcon.h"

// Which image formats the viewer shows: every one, or those of the chosen sizes and colour
// depths. All flags are set at first.
struct TIconFilter {
    bool ShowAllIcons = true;
    bool Show16x16 = true;
    bool Show32x32 = true;
    bool Show48x48 = true;
    bool ShowOtherSizes = true;
    bool ShowMonochrome = true;
    bool Show16Color = true;
    bool Show256Color = true;
    bool Show24BitColor = true;
    bool Show32BitColor = true;

    bool operator==(const TIconFilter&) const = default;
};

// Whether an image passes the filter, judged by its directory bytes Width and Height (a
// 256-pixel image, stored as 0, is of "other size") and its BitCount. Under ShowAllIcons every
// image passes; otherwise both its size and its colour depth must be among the chosen ones.
bool ImagePassesFilter(const TIconFilter& filter, const TLoadedIconImage& image);
