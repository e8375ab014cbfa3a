#include "icons/ByteSource.h"

ByteView TByteSource::Read(std::uint64_t offset, std::size_t length, std::string_view what) {
    CheckRange(Size(), offset, length, what);
    return length == 0 ? ByteView() : Fetch(offset, length);
}
