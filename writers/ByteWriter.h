#pragma once

#include <cstdint>

#include "icons/ByteReader.h"

// Appends little-endian values to a byte string: the layout of a file is built in memory and
// written in one piece.
class TByteWriter {
public:
    TByteWriter& U8(std::uint8_t Value);
    TByteWriter& U16(std::uint16_t Value);
    TByteWriter& U32(std::uint32_t Value);
    TByteWriter& Bytes(ByteView Data);
    TByteWriter& Zeros(std::size_t Count);
    // Overwrites a 32-bit value already written at Offset; Offset + 4 must not pass the end.
    void PatchU32(std::size_t Offset, std::uint32_t Value);

    std::size_t Size() const { return bytes_.size(); }
    const ByteString& Data() const { return bytes_; }

private:
    ByteString bytes_;
};
