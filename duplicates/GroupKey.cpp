#include "duplicates/GroupKey.h"

#include <array>

#include "hashes/Digest.h"

std::string GroupKey(const std::vector<TLoadedIconImage*>& Images) {
    TDigest digest(TDigest::TKind::Md5);
    for (const TLoadedIconImage* image : Images) {
        // Each image's length goes first, so that where one image ends and the next begins is
        // part of the key.
        std::array<std::uint8_t, 8> length{};
        for (std::size_t i = 0; i < length.size(); ++i)
            length[i] = static_cast<std::uint8_t>(image->StoredBytes().size() >> (8 * i));
        digest.Update(length);
        digest.Update(image->StoredBytes());
    }
    return digest.FinalHex();
}
