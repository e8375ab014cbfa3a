#include "hashes/GroupFile.h"

namespace {

constexpr std::size_t kFileEntrySize = 16;

void AppendU32(ByteString& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

}  // namespace

ByteString GroupFileBytes(const TIconGroup& Group) {
    ByteString out(Group.Record->Header.begin(), Group.Record->Header.end());
    std::size_t offset = out.size() + kFileEntrySize * Group.Images.size();
    for (const TLoadedIconImage* image : Group.Images) {
        out.insert(out.end(), image->RawEntry.begin(), image->RawEntry.end());
        AppendU32(out, static_cast<std::uint32_t>(offset));
        offset += image->StoredBytes().size();
    }
    for (const TLoadedIconImage* image : Group.Images) {
        out.insert(out.end(), image->StoredBytes().begin(), image->StoredBytes().end());
    }
    return out;
}
