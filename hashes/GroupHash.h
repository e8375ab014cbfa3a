#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "icons/IconGroups.h"

// The MD5 digest, in lowercase hexadecimal, of the group written as a standalone icon file
// (see GroupFileBytes): equal groups in different files give equal digests.
std::string GroupMd5(const TIconGroup& Group);

// Which image of a group its difference hash is taken over. Pillow: the image Pillow opens from
// the group written as a standalone icon file (the largest, then the deepest). Cape: the image
// CAPE's sandbox picks and writes as a one-image icon file (see CapeIconFileBytes), so hashes
// compare with its reports; cursor groups, which CAPE does not hash, keep Pillow's image.
enum class TDhashImage { Pillow, Cape };

// The choice's name as listings write it ("pillow", "cape"), and the choice of such a name.
std::string_view DhashImageName(TDhashImage Choice);
std::optional<TDhashImage> DhashImageNamed(std::string_view Name);

// What a listing gives a group: its MD5 as above and the difference hash of the image the
// choice takes (see IconFileDifferenceHash), none when Pillow cannot open it.
struct TGroupHashes {
    std::string Md5;
    std::optional<std::string> DifferenceHash;
};
TGroupHashes HashGroup(const TIconGroup& Group, TDhashImage Choice = TDhashImage::Pillow);
