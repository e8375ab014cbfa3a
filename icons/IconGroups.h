#pragma once

#include <string>
#include <vector>

#include "icons/LoadedIcon.h"

// The images of one icon or cursor group, in the order of the group's entries.
struct TIconGroup {
    const TIconGroupRecord* Record = nullptr;
    std::string ResourceName;
    std::vector<const TLoadedIconImage*> Images;
};

// The groups of an icon in enumeration order, the order in which their images were read: an
// executable's icon groups as its resource directory lists them (named groups before numbered
// ones, so the first is the icon Windows shows for the file), then its cursor groups; an .ico
// or .cur file is one group. Images read from no group (animated cursor frames, shell icons)
// belong to none.
std::vector<TIconGroup> IconGroupsOf(const TLoadedIcon& Icon);

// Drops the images of Icon that Kept does not hold, and sizes MaxWidth and MaxHeight to those
// left: a load that reads more groups than it keeps.
void KeepImages(TLoadedIcon& Icon, const std::vector<const TLoadedIconImage*>& Kept);
