#pragma once

#include <optional>
#include <string>

#include "icons/IconGroups.h"

// The MD5 digest, in lowercase hexadecimal, of the group written as a standalone icon file
// (see GroupFileBytes): equal groups in different files give equal digests.
std::string GroupMd5(const TIconGroup& Group);

// The difference hash of the group written as a standalone icon file, over the image Pillow
// opens from it (see IconFileDifferenceHash); nothing when Pillow could not open it.
std::optional<std::string> GroupDifferenceHash(const TIconGroup& Group);
