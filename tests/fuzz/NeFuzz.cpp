// Feeds arbitrary bytes to the reader: it must return or fail with TReadError, never crash,
// hang or run out of memory.
#include <cstddef>
#include <cstdint>

#include "icons/readers/NeReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        ReadNeData(ByteView(data, size), "x.exe");
    } catch (const TReadError&) {
    }
    return 0;
}
