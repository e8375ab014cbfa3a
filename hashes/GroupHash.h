#pragma once

#include <optional>
#include <string>

#include "icons/IconGroups.h"

// The MD5 digest, in lowercase hexadecimal, of the group written as a standalone icon file
// (see GroupFileBytes): equal groups in different files give equal digests.
std::string GroupMd5(const TIconGroup& Group);

// What a listing gives a group: its MD5 as above and the difference hash of the image Pillow
// opens from the standalone file (see IconFileDifferenceHash), none when Pillow cannot.
struct TGroupHashes {
    std::string Md5;
    std::optional<std::string> DifferenceHash;
};
TGroupHashes HashGroup(const TIconGroup& Group);
