#include "icons/ByteReader.h"

std::string CutShortReason(std::string_view ends, std::string_view what, std::size_t present) {
    std::string reason(ends);
    if (present == 0) return reason.append(" ends before ").append(what);
    reason += " ends " + std::to_string(present) + (present == 1 ? " byte" : " bytes");
    return reason.append(" into ").append(what);
}

void CheckRange(std::uint64_t size, std::uint64_t offset, std::uint64_t length,
                std::string_view what, std::string_view ends) {
    if (offset > size || length > size - offset) {
        // The offset need not be where `what` starts, so no count of bytes is given.
        std::string reason(ends);
        reason += offset < size ? " ends inside " : " ends before ";
        throw TReadError(reason.append(what));
    }
}

ByteView Slice(ByteView data, std::size_t offset, std::size_t length, std::string_view what,
               std::string_view ends) {
    CheckRange(data.size(), offset, length, what, ends);
    return data.subspan(offset, length);
}

std::string ByteReader::CutShort() const {
    return CutShortReason(ends_, what_.empty() ? std::string_view("the data") : what_, size_);
}

ByteView ByteReader::Take(std::size_t count) {
    if (count > data_.size()) throw TReadError(CutShort());
    ByteView taken = data_.first(count);
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

std::uint16_t ReadU16At(ByteView data, std::size_t offset, std::string_view what) {
    return ByteReader(Slice(data, offset, 2, what)).U16();
}

std::uint32_t ReadU32At(ByteView data, std::size_t offset, std::string_view what) {
    return ByteReader(Slice(data, offset, 4, what)).U32();
}
