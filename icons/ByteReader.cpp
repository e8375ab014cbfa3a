#include "icons/ByteReader.h"

void CheckRange(std::uint64_t size, std::uint64_t offset, std::uint64_t length) {
    if (offset > size || length > size - offset) {
        throw TReadError("Read past the end of the data (" + std::to_string(length) +
                         " bytes at offset " + std::to_string(offset) + " of " +
                         std::to_string(size) + ")");
    }
}

ByteView Slice(ByteView data, std::size_t offset, std::size_t length) {
    CheckRange(data.size(), offset, length);
    return data.subspan(offset, length);
}

ByteView ByteReader::Take(std::size_t count) {
    ByteView taken = Slice(data_, 0, count);
    data_ = data_.subspan(count);
    return taken;
}

ByteView ByteReader::TakeAtMost(std::size_t count) {
    return Take(count < data_.size() ? count : data_.size());
}

std::uint8_t ByteReader::U8() {
    return Take(1)[0];
}

std::uint16_t ByteReader::U16() {
    ByteView b = Take(2);
    return static_cast<std::uint16_t>(b[0] | (b[1] << 8));
}

std::uint32_t ByteReader::U32() {
    ByteView b = Take(4);
    return static_cast<std::uint32_t>(b[0]) | (static_cast<std::uint32_t>(b[1]) << 8) |
           (static_cast<std::uint32_t>(b[2]) << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
}

std::uint16_t ReadU16At(ByteView data, std::size_t offset) {
    return ByteReader(Slice(data, offset, 2)).U16();
}

std::uint32_t ReadU32At(ByteView data, std::size_t offset) {
    return ByteReader(Slice(data, offset, 4)).U32();
}
