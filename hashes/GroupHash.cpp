#include "hashes/GroupHash.h"

#include "hashes/CapeIconFile.h"
#include "hashes/DifferenceHash.h"
#include "hashes/Digest.h"
#include "hashes/GroupFile.h"

std::string GroupMd5(const TIconGroup& Group) {
    return Md5Hex(GroupFileBytes(Group));
}

std::string_view DhashImageName(TDhashImage Choice) {
    return Choice == TDhashImage::Cape ? "cape" : "pillow";
}

std::optional<TDhashImage> DhashImageNamed(std::string_view Name) {
    if (Name == "pillow") return TDhashImage::Pillow;
    if (Name == "cape") return TDhashImage::Cape;
    return std::nullopt;
}

TGroupHashes HashGroup(const TIconGroup& Group, TDhashImage Choice) {
    ByteString file = GroupFileBytes(Group);
    TGroupHashes hashes{Md5Hex(file), std::nullopt};
    bool cursors = !Group.Images.empty() && Group.Images.front()->IsCursor;
    if (Choice == TDhashImage::Cape && !cursors) {
        std::optional<ByteString> cape = CapeIconFileBytes(Group);
        if (cape) hashes.DifferenceHash = IconFileDifferenceHash(*cape);
    } else {
        hashes.DifferenceHash = IconFileDifferenceHash(file);
    }
    return hashes;
}
