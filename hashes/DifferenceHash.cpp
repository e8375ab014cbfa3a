#include "hashes/DifferenceHash.h"

#include "hashes/LanczosResize.h"
#include "hashes/PillowGrey.h"

std::string DifferenceHash(const TGreyImage& Image) {
    TGreyImage small = ResizeLanczos(Image, 9, 8);
    static constexpr char kHex[] = "0123456789abcdef";
    std::string hex;
    for (int y = 0; y < 8; ++y) {
        unsigned byte = 0;
        for (int x = 0; x < 8; ++x) {
            if (small.At(x, y) > small.At(x + 1, y)) byte |= 1u << x;
        }
        hex += kHex[byte >> 4];
        hex += kHex[byte & 15];
    }
    return hex;
}

std::optional<std::string> IconFileDifferenceHash(ByteView File) {
    std::optional<TGreyImage> image = PillowGreyImage(File);
    if (!image) return std::nullopt;
    return DifferenceHash(*image);
}
