#include "icons/ByteSource.h"

#include <algorithm>

ByteView TByteSource::Read(std::uint64_t offset, std::size_t length, std::string_view what) {
    CheckRange(Size(), offset, length, what);
    return length == 0 ? ByteView() : Fetch(offset, length);
}

ByteView TByteSource::ReadAtMost(std::uint64_t offset, std::uint64_t length) {
    std::uint64_t size = Size();
    if (offset >= size) return {};
    return Read(offset, static_cast<std::size_t>(std::min(length, size - offset)));
}
