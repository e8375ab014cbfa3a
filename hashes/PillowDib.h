#pragma once

#include <array>
#include <cstdint>

#include "hashes/GreyImage.h"
#include "icons/ByteReader.h"

// A device-independent bitmap inside an icon or cursor file, read the way Pillow 9.4 reads
// one: the header of 12, 40, 64, 108 or 124 bytes, the palette of the header's colour count
// (else 2^bits entries), uncompressed or bit-field rows. Pillow fails on the rest, and so does
// this reader (with TReadError), except run-length compression, which it does not decode.
struct TDibFrame {
    std::uint64_t Width = 0;
    std::uint64_t Height = 0;  // the header's height: colour and mask rows of an icon
    bool TopDown = false;
    std::uint16_t Bits = 0;
    // How each pixel is unpacked: palette index, 1-bit or 8-bit grey (a palette of greys in
    // index order), 15-bit or 16-bit colour, or bytes of 24 or 32 bits with red, green and
    // blue at the offsets of ChannelAt.
    enum class TUnpack { Palette, Black1, Grey8, Rgb555, Rgb565, Bytes } Unpack = TUnpack::Bytes;
    int UnpackBits = 0;
    std::array<int, 3> ChannelAt{};
    std::array<std::uint8_t, 256> PaletteGrey{};  // per index; a greyscale ramp past the palette
    std::size_t RowsAt = 0;                       // where the rows start in the file
};

// Reads the header and palette of the bitmap at `at` of file.
TDibFrame ReadDibFrame(ByteView file, std::size_t at);

// The grey picture of the first `rows` rows the frame stores (an icon's colour rows); throws
// TReadError when the rows run past the end of the file.
TGreyImage DecodeDibRows(ByteView file, const TDibFrame& frame, std::uint64_t rows);

// Whether `rows` rows of `width` pixels of `bits` (unpacked at `unpackBits`, which must fit
// the stride padded to 4 bytes) lie in `available` bytes; the last row needs no padding.
bool RowsFit(std::uint64_t available, std::uint64_t width, std::uint64_t bits,
             std::uint64_t unpackBits, std::uint64_t rows);
