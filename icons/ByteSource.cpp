#include "icons/ByteSource.h"

ByteView TByteSource::Read(std::uint64_t offset, std::size_t length) {
    CheckRange(Size(), offset, length);
    return length == 0 ? ByteView() : Fetch(offset, length);
}
