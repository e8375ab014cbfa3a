#include "writers/PngPassThrough.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <string_view>

#include "writers/PngUnit.h"

namespace {

constexpr std::size_t kSignatureSize = 8;
constexpr std::uint8_t kColourTypeRgba = 6;

std::uint32_t BigEndian(ByteView bytes) {
    return static_cast<std::uint32_t>(bytes[0]) << 24 | static_cast<std::uint32_t>(bytes[1]) << 16 |
           static_cast<std::uint32_t>(bytes[2]) << 8 | bytes[3];
}

void AppendBigEndian(ByteString& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

std::uint32_t Crc(ByteView bytes) {
    return static_cast<std::uint32_t>(crc32(0, bytes.data(), static_cast<uInt>(bytes.size())));
}

// Appends one chunk: length, type, data, CRC of type and data.
void AppendChunk(ByteString& out, std::string_view type, ByteView data) {
    AppendBigEndian(out, static_cast<std::uint32_t>(data.size()));
    std::size_t typeAt = out.size();
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), data.begin(), data.end());
    AppendBigEndian(out, Crc(ByteView(out).subspan(typeAt)));
}

void AppendWriterChunks(ByteString& out, TColor background) {
    std::string_view key = "Software";
    ByteString text(key.begin(), key.end());
    text.push_back(0);
    text.insert(text.end(), kPngSoftware, kPngSoftware + std::strlen(kPngSoftware));
    AppendChunk(out, "tEXt", text);
    // Truecolour background: red, green, blue, each in a 16-bit field.
    ByteString colour{0, background.Red, 0, background.Green, 0, background.Blue};
    AppendChunk(out, "bKGD", colour);
}

bool IsType(ByteView type, std::string_view name) {
    return std::equal(name.begin(), name.end(), type.begin(), type.end());
}

}  // namespace

bool WritesStoredPng(const TLoadedIconImage& Image) {
    const TPngHeader& header = Image.PngHeader();
    return !Image.PngData().empty() && header.BitDepth == 8 &&
           header.ColorType == kColourTypeRgba && header.Interlace == 0 &&
           header.Width == static_cast<std::uint32_t>(Image.PixelWidth()) &&
           header.Height == static_cast<std::uint32_t>(Image.PixelHeight());
}

std::optional<ByteString> StoredPngWithChunks(ByteView Stream, TColor Background) {
    if (Stream.size() < kSignatureSize) return std::nullopt;
    ByteString out(Stream.begin(), Stream.begin() + kSignatureSize);
    out.reserve(Stream.size() + 128);
    std::size_t at = kSignatureSize;
    bool added = false;
    while (at + 12 <= Stream.size()) {
        std::uint32_t length = BigEndian(Stream.subspan(at, 4));
        if (length > Stream.size() - at - 12) return std::nullopt;
        ByteView typeAndData = Stream.subspan(at + 4, 4 + std::size_t{length});
        ByteView type = typeAndData.first(4);
        if (Crc(typeAndData) != BigEndian(Stream.subspan(at + 8 + length, 4))) return std::nullopt;
        if (IsType(type, "IDAT") && !added) {
            AppendWriterChunks(out, Background);
            added = true;
        }
        if (!IsType(type, "bKGD")) {
            ByteView chunk = Stream.subspan(at, 12 + std::size_t{length});
            out.insert(out.end(), chunk.begin(), chunk.end());
        }
        at += 12 + std::size_t{length};
        if (IsType(type, "IEND"))
            return added ? std::optional<ByteString>(std::move(out)) : std::nullopt;
    }
    return std::nullopt;
}
