#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "icons/ByteReader.h"

// What libpng's read side finds in a PNG file, for checking written files independently of
// the writer.
struct DecodedPngFile {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    int bitDepth = 0;
    int colorType = 0;
    int interlace = 0;
    int compression = 0;
    int filter = 0;
    ByteString rgba;  // as stored: width x height x 4, rows top first (colour type 6 only)
    std::vector<std::pair<std::string, std::string>> texts;  // keyword, text
    std::vector<int> textCompression;
    std::optional<std::uint16_t> backgroundRed, backgroundGreen, backgroundBlue;
    std::vector<std::string> chunkOrder;  // chunk types as they appear in the file

    // Red, green, blue, alpha of pixel (x, y), y from the top.
    std::vector<std::uint8_t> Pixel(int x, int y) const;
};

// Reads the file with libpng; throws std::runtime_error when libpng rejects it.
DecodedPngFile ReadPngFile(const std::string& fileName);
