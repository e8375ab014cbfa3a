#include "ByteBuilder.h"

ByteBuilder& ByteBuilder::U8(std::uint8_t v) {
    bytes_.push_back(v);
    return *this;
}

ByteBuilder& ByteBuilder::U16(std::uint16_t v) {
    return U8(static_cast<std::uint8_t>(v)).U8(static_cast<std::uint8_t>(v >> 8));
}

ByteBuilder& ByteBuilder::U32(std::uint32_t v) {
    return U16(static_cast<std::uint16_t>(v)).U16(static_cast<std::uint16_t>(v >> 16));
}

ByteBuilder& ByteBuilder::Bytes(ByteView bytes) {
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    return *this;
}

ByteBuilder& ByteBuilder::Text(std::string_view text) {
    bytes_.insert(bytes_.end(), text.begin(), text.end());
    return *this;
}

ByteBuilder& ByteBuilder::Fill(std::size_t count, std::uint8_t value) {
    bytes_.insert(bytes_.end(), count, value);
    return *this;
}

ByteBuilder& ByteBuilder::PadTo(std::size_t size) {
    if (bytes_.size() < size) bytes_.resize(size, 0);
    return *this;
}

void ByteBuilder::PatchU16(std::size_t offset, std::uint16_t v) {
    bytes_.at(offset) = static_cast<std::uint8_t>(v);
    bytes_.at(offset + 1) = static_cast<std::uint8_t>(v >> 8);
}

void ByteBuilder::PatchU32(std::size_t offset, std::uint32_t v) {
    PatchU16(offset, static_cast<std::uint16_t>(v));
    PatchU16(offset + 2, static_cast<std::uint16_t>(v >> 16));
}
