// Feeds arbitrary bytes to the Shell Link and internet shortcut parsers: they must return or
// fail with TReadError, never crash or hang.
#include <cstddef>
#include <cstdint>

#include "icons/readers/InternetShortcut.h"
#include "icons/readers/ShellLink.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ByteView bytes(data, size);
    try {
        IsShellLink(bytes) ? ReadShellLink(bytes) : ReadInternetShortcut(bytes);
    } catch (const TReadError&) {
    }
    return 0;
}
