#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ByteBuilder.h"

// One resource of an NE resource table: a numeric id (stored with bit 0x8000) or a string
// name, its data, and overrides of the stored offset and length (in alignment units).
struct NeResource {
    std::uint16_t id = 0;
    std::optional<std::string> name;
    ByteString data;
    std::optional<std::uint16_t> offsetUnits;
    std::optional<std::uint16_t> lengthUnits;
};

struct NeType {
    std::uint16_t typeId = 0;
    std::vector<NeResource> resources;
};

// Builds a 16-bit executable: a DOS header whose word at 0x3C is `headerField`, an NE header
// at its low 16 bits, the resource table (alignment shift, type records, the zero type id
// unless `terminate` is false, then the name strings: `names` first, in order, then the
// string names of resources not among them) and the resource data, each aligned.
struct NeBuilder {
    std::uint32_t headerField = 0x80;
    std::uint16_t shift = 4;
    std::vector<NeType> types;
    std::vector<std::string> names;
    bool terminate = true;

    ByteString Build() const;
};

// Type ids of icon images and icon groups.
constexpr std::uint16_t kNeIconType = 0x8003;
constexpr std::uint16_t kNeGroupType = 0x800E;
