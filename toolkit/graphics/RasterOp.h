#pragma once

#include <cstdint>

// The raster operations drawing uses, with their Windows codes.
enum class TRasterOp : std::uint32_t {
    SRCCOPY = 0x00CC0020,     // destination = source
    MERGECOPY = 0x00C000CA,   // destination = source AND brush
    SRCINVERT = 0x00660046,   // destination = source XOR destination
    MERGEPAINT = 0x00BB0226,  // destination = (NOT source) OR destination
};

// Combines one byte of source, destination and brush under the operation.
constexpr std::uint8_t ApplyRasterOp(TRasterOp op, std::uint8_t src, std::uint8_t dst,
                                     std::uint8_t brush) {
    switch (op) {
        case TRasterOp::SRCCOPY:
            return src;
        case TRasterOp::MERGECOPY:
            return static_cast<std::uint8_t>(src & brush);
        case TRasterOp::SRCINVERT:
            return static_cast<std::uint8_t>(src ^ dst);
        case TRasterOp::MERGEPAINT:
            return static_cast<std::uint8_t>(~src | dst);
    }
    return src;
}
