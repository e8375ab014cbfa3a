#include "duplicates/DuplicateSet.h"

#include "duplicates/GroupKey.h"
#include "hashes/Digest.h"

bool TDuplicateSet::FirstOf(const TLoadedIconImage& Image) {
    if (Image.StoredBytes().empty()) return true;
    return Meet(Md5Hex(Image.StoredBytes()));
}

bool TDuplicateSet::FirstOf(const std::vector<TLoadedIconImage*>& Group) {
    return Meet(GroupKey(Group));
}

bool TDuplicateSet::Meet(std::string digest) {
    if (digests_.insert(std::move(digest)).second) return true;
    ++duplicates_;
    return false;
}
