#pragma once

#include <cstdint>

// The raster operations drawing uses, with their Windows codes.
enum class TRasterOp : std::uint32_t {
    SRCCOPY = 0x00CC0020,     // destination = source
    MERGECOPY = 0x00C000CA,   // destination = source AND brush
    SRCINVERT = 0x00660046,   // destination = source XOR destination
    MERGEPAINT = 0x00BB0226,  // destination = (NOT source) OR destination
};
