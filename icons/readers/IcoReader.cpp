#include "icons/readers/IcoReader.h"

#include "icons/DecodeBudget.h"
#include "icons/FileBytes.h"
#include "icons/PngStream.h"

namespace {

constexpr std::size_t kDirectoryHeaderSize = 6;
constexpr std::size_t kFileEntrySize = 16;
constexpr const char* kDirectory = "the icon directory";
constexpr std::uint16_t kCursorType = 2;

// Reads the directory entries that are whole, up to count; returns how many were read.
std::uint16_t ReadEntries(TLoadedIcon& icon, ByteReader& data, std::uint16_t count,
                          TDecodeBudget& budget) {
    for (std::uint16_t i = 0; i < count; ++i) {
        if (!data.Has(kFileEntrySize)) return i;
        budget.ChargeEntry(icon.AddImage(icon.ReadDirEntry(data, false)));
    }
    return count;
}

// A favicon saved under an icon's name is often a PNG file itself: one PNG-stored image of
// the size its header chunk gives.
void ReadPngFile(TLoadedIcon& icon, ByteView content) {
    auto image = std::make_unique<TLoadedIconImage>();
    image->Planes = 1;
    image->BytesInRes = static_cast<std::uint32_t>(content.size());
    image->DecodeImage(content, true);
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

void ReadIconDirectory(TLoadedIcon& Icon, ByteView Content, TDecodeBudget& Budget) {
    ByteReader data(Content, kDirectory);
    data.Skip(2);  // reserved
    const bool cursors = data.U16() == kCursorType;
    std::uint16_t count = data.U16();
    if (count == 0) count = 1;
    std::size_t first = Icon.Images.size();
    // A directory cut inside an entry keeps the entries before the cut.
    std::uint16_t read = ReadEntries(Icon, data, count, Budget);
    if (read == 0) throw TReadError(data.CutShort());
    if (read < count) Icon.NoteDamage(data.CutShort());
    Icon.ImageCount = static_cast<std::int32_t>(Icon.Images.size());

    // Only the images of this directory: earlier ones came from another chunk.
    for (std::size_t i = Icon.Images.size(); i-- > first;) {
        TLoadedIconImage& image = *Icon.Images[i];
        // A cursor entry holds the hot spot where an icon entry holds planes and bit count.
        if (cursors)
            image.HotSpot = THotSpot{ReadU16At(image.RawEntry, 4), ReadU16At(image.RawEntry, 6)};
        image.DecodeImage(Content, false);  // an all-zero image stays in the list
        Budget.Charge(image);
        Icon.UpdateMaxSize(image.PixelWidth(), image.PixelHeight());
    }
}

void ReadIconDirectory(TLoadedIcon& Icon, ByteView Content) {
    TDecodeBudget budget(Content.size());
    ReadIconDirectory(Icon, Content, budget);
}

std::unique_ptr<TLoadedIcon> ReadIcoFile(const std::string& FileName) {
    TFileBytes file(FileName);
    ByteView bytes = file.All();  // icon files are small, and their images most of them
    auto icon = std::make_unique<TLoadedIcon>();
    icon->FileName = FileName;
    if (IsPngStream(bytes)) {
        ReadPngFile(*icon, bytes);
    } else if (!bytes.empty()) {
        ReadIconDirectory(*icon, bytes);
        if (!icon->Images.empty()) {  // the file is one group
            auto record = ReadGroupRecord(bytes);
            for (const auto& image : icon->Images) image->Group = record;
        }
    }
    return icon;
}
