#include "duplicates/DuplicateSet.h"

#include "duplicates/GroupKey.h"
#include "hashes/Digest.h"
#include "hashes/GroupHash.h"

bool TDuplicateSet::FirstOf(const TLoadedIconImage& Image) {
    if (Image.StoredBytes().empty()) return true;
    return Meet(Md5Hex(Image.StoredBytes()));
}

bool TDuplicateSet::FirstOf(const TIconGroup& Group) {
    return Meet(GroupMd5(Group));
}

bool TDuplicateSet::FirstOf(const std::vector<TLoadedIconImage*>& Images) {
    return Meet(GroupKey(Images));
}

bool TDuplicateSet::Meet(std::string digest) {
    if (digests_.insert(std::move(digest)).second) return true;
    ++duplicates_;
    return false;
}
