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

// One 14-byte entry of a cursor group resource: sizes as words (the height written doubled,
// as colour and mask rows count), planes, bit count, the size of the cursor resource (hot spot
// included) and its id.
struct CursorGroupEntry {
    std::uint16_t width = 32;
    std::uint16_t height = 32;
    std::uint16_t planes = 1;
    std::uint16_t bitCount = 1;
    std::uint32_t bytesInRes = 0;
    std::uint16_t id = 1;
};

// An entry for a cursor resource holding a DIB of that layout after its hot spot.
CursorGroupEntry CursorEntryFor(const DibSpec& layout, std::uint16_t id);

// A cursor group resource: reserved, type 2, count, then the entries.
ByteString BuildCursorGroup(const std::vector<CursorGroupEntry>& entries);
