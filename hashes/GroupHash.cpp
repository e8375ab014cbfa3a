#include "hashes/GroupHash.h"

#include "hashes/DifferenceHash.h"
#include "hashes/Digest.h"
#include "hashes/GroupFile.h"

std::string GroupMd5(const TIconGroup& Group) {
    return Md5Hex(GroupFileBytes(Group));
}

TGroupHashes HashGroup(const TIconGroup& Group) {
    ByteString file = GroupFileBytes(Group);
    return {Md5Hex(file), IconFileDifferenceHash(file)};
}
