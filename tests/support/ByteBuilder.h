#pragma once

#include <cstdint>
#include <string_view>

#include "icons/ByteReader.h"

// Appends little-endian values to a byte string; every test input is built with it.
class ByteBuilder {
public:
    ByteBuilder& U8(std::uint8_t v);
    ByteBuilder& U16(std::uint16_t v);
    ByteBuilder& U32(std::uint32_t v);
    ByteBuilder& Bytes(ByteView bytes);
    ByteBuilder& Text(std::string_view text);
    ByteBuilder& Fill(std::size_t count, std::uint8_t value = 0);
    // Pads with zero bytes up to the given total size.
    ByteBuilder& PadTo(std::size_t size);
    // Overwrites a 16- or 32-bit value already written.
    void PatchU16(std::size_t offset, std::uint16_t v);
    void PatchU32(std::size_t offset, std::uint32_t v);

    std::size_t Size() const { return bytes_.size(); }
    const ByteString& Bytes() const { return bytes_; }

private:
    ByteString bytes_;
};
