// Feeds arbitrary bytes to the icon directory reader: it must return or fail with TReadError,
// never crash, hang or run out of memory.
#include <cstddef>
#include <cstdint>

#include "icons/readers/IcoReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TLoadedIcon icon;
    try {
        ReadIconDirectory(icon, ByteView(data, size));
    } catch (const TReadError&) {
    }
    return 0;
}
