#include "GroupBuilder.h"

GroupEntry GroupEntryFor(const DibSpec& layout, std::uint16_t id) {
    IcoEntry file = EntryFor(layout);
    return {file.width,  file.height,   file.colorCount,
            file.planes, file.bitCount, static_cast<std::uint32_t>(file.data.size()),
            id};
}

ByteString BuildIconGroup(const std::vector<GroupEntry>& entries) {
    ByteBuilder b;
    b.U16(0).U16(1).U16(static_cast<std::uint16_t>(entries.size()));
    for (const GroupEntry& e : entries) {
        b.U8(e.width).U8(e.height).U8(e.colorCount).U8(0).U16(e.planes).U16(e.bitCount);
        b.U32(e.bytesInRes).U16(e.id);
    }
    return b.Bytes();
}

CursorGroupEntry CursorEntryFor(const DibSpec& layout, std::uint16_t id) {
    return {static_cast<std::uint16_t>(layout.width),
            static_cast<std::uint16_t>(layout.height),
            1,
            static_cast<std::uint16_t>(layout.bitCount),
            static_cast<std::uint32_t>(MakeDib(layout).size() + 4),
            id};
}

ByteString BuildCursorGroup(const std::vector<CursorGroupEntry>& entries) {
    ByteBuilder b;
    b.U16(0).U16(2).U16(static_cast<std::uint16_t>(entries.size()));
    for (const CursorGroupEntry& e : entries) {
        b.U16(e.width).U16(static_cast<std::uint16_t>(2 * e.height)).U16(e.planes).U16(e.bitCount);
        b.U32(e.bytesInRes).U16(e.id);
    }
    return b.Bytes();
}
