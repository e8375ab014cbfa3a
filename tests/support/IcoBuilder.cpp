#include "IcoBuilder.h"

int DibStride(int width, int bitCount) {
    return ((width * bitCount + 7) / 8 + 3) / 4 * 4;
}

ByteString MakeDib(const DibSpec& layout) {
    ByteBuilder b;
    b.U32(40).U32(static_cast<std::uint32_t>(layout.width));
    b.U32(static_cast<std::uint32_t>(layout.height * 2));
    b.U16(1).U16(static_cast<std::uint16_t>(layout.bitCount));
    b.U32(0).U32(0).U32(0).U32(0).U32(0).U32(0);
    int paletteSize = layout.bitCount <= 8 ? 1 << layout.bitCount : 0;
    for (int i = 0; i < paletteSize; ++i) {
        b.U8(static_cast<std::uint8_t>(i)).U8(static_cast<std::uint8_t>(i + 1));
        b.U8(static_cast<std::uint8_t>(i + 2)).U8(0);
    }
    b.Fill(static_cast<std::size_t>(DibStride(layout.width, layout.bitCount) * layout.height),
           layout.pixelFill);
    if (layout.withMask) {
        b.Fill(static_cast<std::size_t>(DibStride(layout.width, 1) * layout.height),
               layout.maskFill);
    }
    return b.Bytes();
}

IcoEntry EntryFor(const DibSpec& layout) {
    IcoEntry entry;
    entry.width = static_cast<std::uint8_t>(layout.width);
    entry.height = static_cast<std::uint8_t>(layout.height);
    entry.colorCount = layout.bitCount < 8 ? static_cast<std::uint8_t>(1 << layout.bitCount) : 0;
    entry.bitCount = static_cast<std::uint16_t>(layout.bitCount);
    entry.data = MakeDib(layout);
    return entry;
}

ByteString BuildIco(const std::vector<IcoEntry>& entries, std::uint16_t type,
                    std::optional<std::uint16_t> countOverride) {
    ByteBuilder b;
    b.U16(0).U16(type).U16(countOverride.value_or(static_cast<std::uint16_t>(entries.size())));
    std::uint32_t dataPos = static_cast<std::uint32_t>(6 + 16 * entries.size());
    for (const IcoEntry& e : entries) {
        b.U8(e.width).U8(e.height).U8(e.colorCount).U8(e.reserved).U16(e.planes).U16(e.bitCount);
        b.U32(e.bytesInRes.value_or(static_cast<std::uint32_t>(e.data.size())));
        b.U32(e.offset.value_or(dataPos));
        dataPos += static_cast<std::uint32_t>(e.data.size());
    }
    for (const IcoEntry& e : entries) b.Bytes(e.data);
    return b.Bytes();
}

IcoEntry PngEntry(const ByteString& stream, std::uint8_t size) {
    IcoEntry entry;
    entry.width = entry.height = size;
    entry.bitCount = 32;
    entry.data = stream;
    return entry;
}
