// Feeds arbitrary bytes to the reader: it must return or fail with TReadError, never crash,
// hang or run out of memory.
#include <cstddef>
#include <cstdint>

#include "icons/readers/PeReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    for (bool cursors : {false, true}) {
        try {
            ReadPeData(ByteView(data, size), "x.dll", {.IncludeCursors = cursors});
        } catch (const TReadError&) {
        }
    }
    return 0;
}
