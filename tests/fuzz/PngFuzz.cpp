// Feeds arbitrary bytes after the PNG signature to the decoding of PNG-stored icon images, in
// entries of several sizes: it must return or fail with TReadError, never crash or hang.
#include <cstddef>
#include <cstdint>

#include "icons/LoadedIcon.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    static const std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    ByteString stream(kSignature, kSignature + 8);
    stream.insert(stream.end(), data + 1, data + size);
    TLoadedIconImage image;
    image.Width = image.Height = data[0];  // the first byte is the entry's size, 0 for 256
    try {
        image.DecodeImage(stream, true);
        image.Rows();
    } catch (const TReadError&) {
    }
    return 0;
}
