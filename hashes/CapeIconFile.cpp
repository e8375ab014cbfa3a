#include "hashes/CapeIconFile.h"

namespace {

constexpr std::uint32_t kImageOffset = 22;  // 6-byte header and one 16-byte entry

std::uint16_t RawBitCount(const TLoadedIconImage& image) {
    return static_cast<std::uint16_t>(image.RawEntry[6] | image.RawEntry[7] << 8);
}

// The entry CAPE keeps: a later entry wins when it is no smaller in any of the three values.
const TLoadedIconImage* CapeChoice(const TIconGroup& group) {
    const TLoadedIconImage* chosen = nullptr;
    unsigned width = 0, height = 0, bitCount = 0;
    for (const TLoadedIconImage* image : group.Images) {
        if (image->RawEntry[0] >= width && image->RawEntry[1] >= height &&
            RawBitCount(*image) >= bitCount) {
            chosen = image;
            width = image->RawEntry[0];
            height = image->RawEntry[1];
            bitCount = RawBitCount(*image);
        }
    }
    return chosen;
}

}  // namespace

std::optional<ByteString> CapeIconFileBytes(const TIconGroup& Group) {
    const TLoadedIconImage* image = CapeChoice(Group);
    if (!image) return std::nullopt;
    ByteString out{0, 0, 1, 0, 1, 0};
    out.insert(out.end(), image->RawEntry.begin(), image->RawEntry.end());
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<std::uint8_t>(kImageOffset >> shift));
    }
    out.insert(out.end(), image->StoredBytes().begin(), image->StoredBytes().end());
    return out;
}
