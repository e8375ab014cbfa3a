#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "ByteBuilder.h"

// The bitmap payload of one icon image: 40-byte header, palette, colour rows, mask rows.
struct DibSpec {
    int width = 16;
    int height = 16;
    int bitCount = 4;
    std::uint8_t pixelFill = 0x12;  // every colour-row byte
    std::uint8_t maskFill = 0x00;   // every mask-row byte (0 = opaque)
    bool withMask = true;
};

// Stride of a DIB row padded to 4 bytes.
int DibStride(int width, int bitCount);
// Palette entry i is stored blue = i, green = i + 1, red = i + 2, reserved 0.
ByteString MakeDib(const DibSpec& layout);

// One image of an icon or cursor file, with its directory values.
struct IcoEntry {
    std::uint8_t width = 16;
    std::uint8_t height = 16;
    std::uint8_t colorCount = 0;
    std::uint8_t reserved = 0;
    std::uint16_t planes = 1;
    std::uint16_t bitCount = 4;
    ByteString data;
    std::optional<std::uint32_t> bytesInRes;  // defaults to data.size()
    std::optional<std::uint32_t> offset;      // defaults to where the data is placed
};

// An entry whose directory values match a DIB of that layout.
IcoEntry EntryFor(const DibSpec& layout);

// An entry holding a PNG stream, as 32-bit icons of size x size pixels (0 for 256) store it.
IcoEntry PngEntry(const ByteString& stream, std::uint8_t size);

// An icon (type 1) or cursor (type 2) file; countOverride replaces the count word.
ByteString BuildIco(const std::vector<IcoEntry>& entries, std::uint16_t type = 1,
                    std::optional<std::uint16_t> countOverride = std::nullopt);
