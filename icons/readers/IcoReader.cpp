#include "icons/readers/IcoReader.h"

#include <algorithm>

#include "icons/DecodeBudget.h"
#include "icons/FileBytes.h"
#include "icons/PngStream.h"

namespace {

constexpr std::size_t kDirectoryHeaderSize = 6;
constexpr std::size_t kFileEntrySize = 16;
constexpr const char* kDirectory = "the icon directory";
// How much of a PNG-stored image the file ends inside is read to find its end chunk: more
// than the largest stream an icon image of kMaxPngSide pixels holds in practice.
constexpr std::uint64_t kCutPngBytes = 16u << 20;
constexpr std::uint16_t kCursorType = 2;

constexpr std::size_t kEntrySizeAt = 8;

// Reads the directory entries that are whole, up to count; returns how many were whole. An
// entry that names no image data (a size of 0) holds no image and is counted in `empty`, so
// that a directory of zero bytes costs no image objects.
std::uint16_t ReadEntries(TLoadedIcon& icon, ByteReader& data, std::uint16_t count,
                          TDecodeBudget& budget, std::size_t& empty) {
    for (std::uint16_t i = 0; i < count; ++i) {
        if (!data.Has(kFileEntrySize)) return i;
        if (ReadU32At(data.Rest(), kEntrySizeAt) == 0) {
            data.Skip(kFileEntrySize);
            ++empty;
            continue;
        }
        budget.ChargeEntry(icon.AddImage(icon.ReadDirEntry(data, false)));
    }
    return count;
}

// Decodes an image from the bytes the file holds of it: all of them, or the first imageBytes
// for a listing, which then lets them go. An image the file ends inside is judged by its
// header (a bitmap) or its end chunk (a PNG stream).
void DecodeFileImage(TLoadedIconImage& image, TByteSource& file, std::size_t imageBytes) {
    std::uint64_t offset = image.ImageOffset;
    std::uint64_t held =
        offset < file.Size() ? std::min<std::uint64_t>(image.BytesInRes, file.Size() - offset) : 0;
    ByteView bytes = file.ReadAtMost(offset, std::min<std::uint64_t>(held, imageBytes));
    if (held >= image.BytesInRes) {
        image.DecodeImage(bytes, true);
    } else {
        if (IsPngStream(bytes)) bytes = file.ReadAtMost(offset, std::min(held, kCutPngBytes));
        image.DecodeImage(bytes, {held, CutShortReason(kFileEnds, "the image data",
                                                       static_cast<std::size_t>(held))});
    }
    if (imageBytes != SIZE_MAX) image.ForgetStoredBytes();
}

void ReadDirectory(TLoadedIcon& icon, TByteSource& file, TDecodeBudget& budget,
                   std::size_t imageBytes) {
    ByteReader header(file.ReadAtMost(0, kDirectoryHeaderSize), kDirectory);
    header.Skip(2);  // reserved
    const bool cursors = header.U16() == kCursorType;
    std::uint16_t count = std::max<std::uint16_t>(header.U16(), 1);
    ByteReader data(file.ReadAtMost(0, kDirectoryHeaderSize + kFileEntrySize * count), kDirectory);
    data.Skip(kDirectoryHeaderSize);
    std::size_t first = icon.Images.size();
    // A directory cut inside an entry keeps the entries before the cut.
    std::size_t empty = 0;
    std::uint16_t read = ReadEntries(icon, data, count, budget, empty);
    if (read == 0) throw TReadError(data.CutShort());
    if (read < count) icon.NoteDamage(data.CutShort());
    if (empty > 0) {
        icon.NoteDamage(std::to_string(empty) + " of " + std::to_string(count) +
                        " icon directory entries name no image data");
        if (icon.Images.size() == first) throw TReadError(icon.Damage);
    }
    icon.ImageCount = static_cast<std::int32_t>(icon.Images.size());

    // Only the images of this directory: earlier ones came from another chunk.
    for (std::size_t i = icon.Images.size(); i-- > first;) {
        TLoadedIconImage& image = *icon.Images[i];
        // A cursor entry holds the hot spot where an icon entry holds planes and bit count.
        if (cursors)
            image.HotSpot = THotSpot{ReadU16At(image.RawEntry, 4), ReadU16At(image.RawEntry, 6)};
        DecodeFileImage(image, file, imageBytes);  // an all-zero image stays in the list
        budget.Charge(image);
        icon.UpdateMaxSize(image.PixelWidth(), image.PixelHeight());
    }
}

// A favicon saved under an icon's name is often a PNG file itself: one PNG-stored image of
// the size its header chunk gives.
void ReadPngFile(TLoadedIcon& icon, TByteSource& file, std::size_t imageBytes) {
    if (file.Size() > UINT32_MAX) throw TReadError("The PNG stream is too large for an icon");
    auto image = std::make_unique<TLoadedIconImage>();
    image->Planes = 1;
    image->BytesInRes = static_cast<std::uint32_t>(file.Size());
    image->DecodeImage(file.ReadAtMost(0, imageBytes), true);
    if (imageBytes != SIZE_MAX) image->ForgetStoredBytes();
    const TPngHeader& header = image->PngHeader();
    auto side = [](std::uint32_t pixels) {
        return static_cast<std::uint8_t>(pixels >= 256 ? 0 : pixels);  // 256 is stored as 0
    };
    image->Width = side(header.Width);
    image->Height = side(header.Height);
    TLoadedIconImage& added = icon.AddImage(std::move(image));
    icon.UpdateMaxSize(added.PixelWidth(), added.PixelHeight());
    icon.ImageCount = static_cast<std::int32_t>(icon.Images.size());
}

}  // namespace

bool IsIconDirectoryHead(ByteView Head) {
    if (Head.size() < kDirectoryHeaderSize) return false;
    std::uint16_t type = ReadU16At(Head, 2);
    return ReadU16At(Head, 0) == 0 && (type == 1 || type == 2) && ReadU16At(Head, 4) >= 1;
}

void ReadIconDirectory(TLoadedIcon& Icon, ByteView Content, TDecodeBudget& Budget) {
    TMemoryBytes bytes(Content);
    ReadDirectory(Icon, bytes, Budget, SIZE_MAX);
}

void ReadIconDirectory(TLoadedIcon& Icon, ByteView Content) {
    TDecodeBudget budget(Content.size());
    ReadIconDirectory(Icon, Content, budget);
}

std::unique_ptr<TLoadedIcon> ReadIcoSource(TByteSource& File, const std::string& FileName,
                                           const TLoadOptions& Options) {
    ByteView head = File.ReadAtMost(0, 8);
    bool png = IsPngStream(head);
    if (!png && !IsIconDirectoryHead(head)) return nullptr;
    auto icon = std::make_unique<TLoadedIcon>();
    icon->FileName = FileName;
    std::size_t imageBytes = Options.HeadersOnly ? kImageHeadSize : SIZE_MAX;
    if (png) {
        ReadPngFile(*icon, File, imageBytes);
        return icon;
    }
    TDecodeBudget budget(static_cast<std::size_t>(File.Size()));
    ReadDirectory(*icon, File, budget, imageBytes);
    auto record = ReadGroupRecord(File.Read(0, kDirectoryHeaderSize));  // the file is one group
    for (const auto& image : icon->Images) image->Group = record;
    return icon;
}

std::unique_ptr<TLoadedIcon> ReadIcoFile(const std::string& FileName) {
    TFileBytes file(FileName);
    return ReadIcoSource(file, FileName);
}
