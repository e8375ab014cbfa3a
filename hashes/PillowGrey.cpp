#include "hashes/PillowGrey.h"

#include <cmath>

#include "hashes/PillowDib.h"
#include "icons/PngStream.h"

namespace {

constexpr std::size_t kHeaderSize = 6;
constexpr std::size_t kEntrySize = 16;

struct TEntry {
    ByteView Bytes;
    int Side(int at) const { return Bytes[at] == 0 ? 256 : Bytes[at]; }
    std::uint16_t BitCount() const { return ReadU16At(Bytes, 6); }
    std::uint32_t Size() const { return ReadU32At(Bytes, 8); }
    std::uint32_t Offset() const { return ReadU32At(Bytes, 12); }
};

std::vector<TEntry> ReadEntries(ByteView file) {
    std::uint16_t count = ReadU16At(file, 4);
    if (count == 0) throw TReadError("The file holds no images");
    ByteView table = Slice(file, kHeaderSize, kEntrySize * count);
    std::vector<TEntry> entries;
    for (std::size_t i = 0; i < count; ++i) {
        entries.push_back({table.subspan(i * kEntrySize, kEntrySize)});
    }
    return entries;
}

// The depth Pillow sorts icon entries by.
int SortDepth(const TEntry& entry) {
    if (entry.BitCount() != 0) return entry.BitCount();
    std::uint8_t colors = entry.Bytes[2];
    int fromColors =
        colors == 0 ? 0 : static_cast<int>(std::ceil(std::log(colors) / std::log(2.0)));
    return fromColors != 0 ? fromColors : 256;
}

const TEntry& LargestIconEntry(const std::vector<TEntry>& entries) {
    const TEntry* best = &entries.front();
    for (const TEntry& entry : entries) {
        int area = entry.Side(0) * entry.Side(1);
        int bestArea = best->Side(0) * best->Side(1);
        if (area > bestArea || (area == bestArea && SortDepth(entry) >= SortDepth(*best))) {
            best = &entry;
        }
    }
    return *best;
}

TGreyImage GreyOfPng(ByteView stream) {
    TDecodedPng png = DecodePngStream(stream);
    TGreyImage image{png.Width, png.Height, {}};
    image.Pixels.resize(static_cast<std::size_t>(png.Width) * png.Height);
    for (std::size_t i = 0; i < image.Pixels.size(); ++i) {
        const std::uint8_t* pixel = png.Rgba.data() + 4 * i;
        image.Pixels[i] = GreyOf(pixel[0], pixel[1], pixel[2]);
    }
    return image;
}

// Pillow reads an icon bitmap's transparency too, and fails when it is not all there: the
// alpha bytes of a 32-bit entry, else the mask rows that end the entry's data.
void RequireTransparency(ByteView file, const TEntry& entry, const TDibFrame& frame,
                         std::uint64_t rows) {
    std::uint64_t width = frame.Width;
    if (entry.BitCount() == 32) {
        if (file.size() - frame.RowsAt < 4 * width * rows) {
            throw TReadError("Alpha bytes run past the end of the file");
        }
        return;
    }
    std::uint64_t maskBytes = (width + 31) / 32 * 4 * rows;
    std::int64_t maskAt =
        std::int64_t{entry.Offset()} + entry.Size() - static_cast<std::int64_t>(maskBytes);
    if (maskAt < 0 || static_cast<std::uint64_t>(maskAt) > file.size() ||
        !RowsFit(file.size() - static_cast<std::uint64_t>(maskAt), width, 1, 1, rows)) {
        throw TReadError("Mask rows lie outside the file");
    }
}

TGreyImage OpenIcon(ByteView file) {
    std::vector<TEntry> entries = ReadEntries(file);
    const TEntry& entry = LargestIconEntry(entries);
    if (entry.Offset() > file.size()) throw TReadError("Image lies past the end of the file");
    ByteView data = file.subspan(entry.Offset());
    if (IsPngStream(data)) return GreyOfPng(data);
    TDibFrame frame = ReadDibFrame(file, entry.Offset());
    std::uint64_t rows = frame.Height / 2;  // colour rows, then mask rows
    TGreyImage image = DecodeDibRows(file, frame, rows);
    RequireTransparency(file, entry, frame, rows);
    return image;
}

TGreyImage OpenCursor(ByteView file) {
    std::vector<TEntry> entries = ReadEntries(file);
    const TEntry* chosen = &entries.front();
    for (const TEntry& entry : entries) {
        if (entry.Bytes[0] > chosen->Bytes[0] && entry.Bytes[1] > chosen->Bytes[1]) chosen = &entry;
    }
    // An offset of 0 leaves the reader where the directory ends.
    std::size_t at =
        chosen->Offset() != 0 ? chosen->Offset() : kHeaderSize + kEntrySize * entries.size();
    TDibFrame frame = ReadDibFrame(file, at);
    return DecodeDibRows(file, frame, frame.Height / 2);
}

}  // namespace

std::optional<TGreyImage> PillowGreyImage(ByteView file) {
    static constexpr std::uint8_t kIcon[] = {0, 0, 1, 0};
    static constexpr std::uint8_t kCursor[] = {0, 0, 2, 0};
    try {
        if (file.size() < 4) return std::nullopt;
        if (std::equal(kIcon, kIcon + 4, file.begin())) return OpenIcon(file);
        if (std::equal(kCursor, kCursor + 4, file.begin())) return OpenCursor(file);
    } catch (const TReadError&) {
    }
    return std::nullopt;
}
