#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "graphics/Color.h"
#include "icons/ByteReader.h"

// One LZW code as read from the image data, with the width it was read at.
struct GifCode {
    int value = 0;
    int bits = 0;
};

// One frame of a decoded GIF file.
struct GifFrame {
    bool hasGraphicControl = false;
    std::uint8_t controlFlags = 0;  // packed byte of the graphic control extension
    std::uint16_t delay = 0;
    bool transparent = false;
    std::uint8_t transparentIndex = 0;
    int left = 0, top = 0, width = 0, height = 0;
    bool interlaced = false;
    bool hasLocalTable = false;
    std::vector<TColor> colorTable;
    int minCodeSize = 0;
    std::vector<int> subBlockSizes;
    std::vector<GifCode> codes;
    ByteString pixels;  // palette indices, rows top first

    std::uint8_t Index(int x, int y) const {
        return pixels.at(static_cast<std::size_t>(y) * width + x);
    }
};

// A GIF file taken apart by a decoder written for the tests, independent of the writer.
struct DecodedGif {
    std::string version;  // "87a" or "89a"
    int screenWidth = 0, screenHeight = 0;
    std::uint8_t screenFlags = 0;
    std::vector<TColor> globalTable;
    std::vector<GifFrame> frames;
    bool trailer = false;
};

// Throws TReadError on malformed data (including a bad LZW code).
DecodedGif DecodeGif(ByteView data);
DecodedGif ReadGifFile(const std::string& fileName);
