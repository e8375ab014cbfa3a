// Feeds arbitrary bytes to the reader: it must return or fail with TReadError, never crash,
// hang or run out of memory.
#include <cstddef>
#include <cstdint>

#include "icons/readers/AniReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        ReadAniData(ByteView(data, size), "x.ani");
    } catch (const TReadError&) {
    }
    return 0;
}
