#include "hashes/GroupHash.h"

#include "hashes/DifferenceHash.h"
#include "hashes/Digest.h"
#include "hashes/GroupFile.h"

std::string GroupMd5(const TIconGroup& Group) {
    return Md5Hex(GroupFileBytes(Group));
}

std::optional<std::string> GroupDifferenceHash(const TIconGroup& Group) {
    return IconFileDifferenceHash(GroupFileBytes(Group));
}
