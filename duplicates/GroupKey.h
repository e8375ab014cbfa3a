#pragma once

#include <string>
#include <vector>

#include "icons/LoadedIcon.h"

// The digest that tells one icon group from another: the MD5 of its images' stored bytes, in
// the order given. Two groups with the same images in the same order have the same key.
std::string GroupKey(const std::vector<TLoadedIconImage*>& Images);
