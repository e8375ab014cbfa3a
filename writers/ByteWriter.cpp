#include "writers/ByteWriter.h"

#include <stdexcept>

TByteWriter& TByteWriter::U8(std::uint8_t Value) {
    bytes_.push_back(Value);
    return *this;
}

TByteWriter& TByteWriter::U16(std::uint16_t Value) {
    return U8(static_cast<std::uint8_t>(Value)).U8(static_cast<std::uint8_t>(Value >> 8));
}

TByteWriter& TByteWriter::U32(std::uint32_t Value) {
    return U16(static_cast<std::uint16_t>(Value)).U16(static_cast<std::uint16_t>(Value >> 16));
}

TByteWriter& TByteWriter::Bytes(ByteView Data) {
    bytes_.insert(bytes_.end(), Data.begin(), Data.end());
    return *this;
}

TByteWriter& TByteWriter::Zeros(std::size_t Count) {
    bytes_.insert(bytes_.end(), Count, 0);
    return *this;
}

void TByteWriter::PatchU32(std::size_t Offset, std::uint32_t Value) {
    if (Offset > bytes_.size() || bytes_.size() - Offset < 4)
        throw std::out_of_range("patch past the end of the written bytes");
    for (int i = 0; i < 4; ++i)
        bytes_[Offset + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(Value >> (8 * i));
}
