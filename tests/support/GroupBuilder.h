#pragma once

#include <cstdint>
#include <vector>

#include "IcoBuilder.h"

// One 14-byte entry of an icon group resource (PE and NE): directory values and the id of
// the icon image resource.
struct GroupEntry {
    std::uint8_t width = 16;
    std::uint8_t height = 16;
    std::uint8_t colorCount = 0;
    std::uint16_t planes = 1;
    std::uint16_t bitCount = 4;
    std::uint32_t bytesInRes = 0;
    std::uint16_t id = 1;
};

// An entry whose directory values match the DIB of that layout, naming image `id`.
GroupEntry GroupEntryFor(const DibSpec& layout, std::uint16_t id);

// An icon group resource: reserved, type 1, count, then the entries.
ByteString BuildIconGroup(const std::vector<GroupEntry>& entries);
