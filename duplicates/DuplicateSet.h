#pragma once

#include <cstddef>
#include <string>
#include <unordered_set>
#include <vector>

#include "icons/IconGroups.h"
#include "icons/LoadedIcon.h"

// Tells, of the images or icon groups met one after the other, which were met before. Only a
// digest of each is kept, so memory grows with the number of distinct ones, by a few dozen
// bytes each. Images never read from a file (no stored bytes) are never duplicates.
class TDuplicateSet {
public:
    // True when no image with the same stored bytes was met before; the image is met from now.
    bool FirstOf(const TLoadedIconImage& Image);
    // The same for an icon group read from a group resource or an .ico file, by its MD5 as a
    // standalone icon file (GroupMd5).
    bool FirstOf(const TIconGroup& Group);
    // The same for images read from no group (animated cursor frames), by their stored bytes in
    // order (GroupKey).
    bool FirstOf(const std::vector<TLoadedIconImage*>& Images);
    // How many images or groups were met again.
    std::size_t Duplicates() const { return duplicates_; }

private:
    bool Meet(std::string digest);

    std::unordered_set<std::string> digests_;
    std::size_t duplicates_ = 0;
};
