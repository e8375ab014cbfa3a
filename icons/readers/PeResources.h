#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "icons/readers/PeHeaders.h"
#include "icons/readers/PeImage.h"
#include "icons/ResourceName.h"

constexpr std::uint16_t kRtCursor = 1;
constexpr std::uint16_t kRtIcon = 3;
constexpr std::uint16_t kRtGroupCursor = 12;
constexpr std::uint16_t kRtGroupIcon = 14;

// A resource's bytes as far as the file holds them (or the first of them, when no more were
// asked for), the size its directory entry gives, and how many of its bytes the file holds.
struct TPeResource {
    ByteView Bytes;
    std::uint32_t Size = 0;
    std::uint64_t Held = 0;
    // The file (or its section's data) ends inside the resource.
    bool Cut() const { return Held < Size; }
};

// The resources of one type in the resource directory of a PE image. The directory has three
// levels (type, name, language); every offset and count is checked against the image, and a
// directory that points back at one of its parents, or data that is nested deeper than the
// language level, is an error rather than a loop.
class TPeResourceType {
public:
    // Reads the names of the resources of `type`; none when the image has no such type.
    TPeResourceType(const TPeImage& image, std::uint16_t type);

    // Every name in the order the directory stores them: string names first, then numeric
    // ids ascending, as the resource compiler wrote them.
    const std::vector<TResourceId>& Names() const { return names_; }
    // Why entries of the type were left out (a name that cannot be read, a target that is no
    // directory or points back into the directory); empty when none was.
    const std::string& Damage() const { return damage_; }

    // The bytes of the first language entry of the first resource of that name, cut where the
    // file ends, and only the first `atMost` of them; nothing when there is no such resource.
    // Throws TReadError when the directory entries that lead to it are cut short or broken.
    std::optional<TPeResource> Find(const TResourceId& name, std::size_t atMost = SIZE_MAX) const;

private:
    std::vector<TPeResourceDirectoryEntry> ReadDirectory(std::uint32_t offset) const;
    std::uint32_t SubdirectoryOf(const TPeResourceDirectoryEntry& entry) const;
    TResourceId ReadName(const TPeResourceDirectoryEntry& entry) const;

    const TPeImage& image_;
    std::uint32_t root_ = 0;
    std::uint32_t typeDirectory_ = 0;
    std::vector<TResourceId> names_;
    std::vector<std::uint32_t> targets_;  // per name: the entry's subdirectory
    std::map<TResourceId, std::size_t> firstOf_;
    std::string damage_;
};
