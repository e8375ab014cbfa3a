#include "icons/PeReader.h"

#include <algorithm>

#include "icons/DecodeBudget.h"
#include "icons/FileBytes.h"
#include "icons/NeReader.h"
#include "icons/PeResources.h"
#include "icons/PngStream.h"

namespace {

// One kind of group resource: icon groups, whose entries name RT_ICON images, or cursor
// groups, whose entries name RT_CURSOR images that begin with the cursor's hot spot.
struct TGroupKind {
    std::uint16_t GroupType;
    std::uint16_t ImageType;
    bool Cursor;
};

constexpr TGroupKind kIconGroups{kRtGroupIcon, kRtIcon, false};
constexpr TGroupKind kCursorGroups{kRtGroupCursor, kRtCursor, true};
constexpr std::size_t kHotSpotSize = 4;
// What a listing reads of an image: a cursor's hot spot, the bitmap header and the largest
// palette; a PNG stream's header chunk lies well within it.
constexpr std::size_t kImageHeadSize = kHotSpotSize + 40 + 256 * 4;

// A cursor group of the same name as an icon group is another icon: its name says so, so
// that grouping, properties and export names keep the two apart.
std::string GroupName(const TResourceId& name, const TGroupKind& kind) {
    return kind.Cursor ? "Cursor " + ResourceNameText(name) : ResourceNameText(name);
}

// The image data a group entry names: the entry's size may claim more than the resource
// holds, so it is bounded by the resource; a cursor's hot spot is not part of the bitmap.
ByteView ImageData(ByteView resource, const TLoadedIconImage& image, const TGroupKind& kind) {
    std::size_t claimed = image.BytesInRes;
    if (kind.Cursor) {
        if (resource.size() < kHotSpotSize) {
            throw TReadError("Cursor image #" + std::to_string(image.ImageOffset) +
                             " is shorter than its hot spot");
        }
        resource = resource.subspan(kHotSpotSize);
        claimed = claimed < kHotSpotSize ? 0 : claimed - kHotSpotSize;
    }
    return resource.first(std::min(claimed, resource.size()));
}

// Cursor group entries should carry the height doubled, as the bitmap header counts colour and
// mask rows, but some resource compilers (Wine's among them) write it as it is. A bitmap
// image's own header settles the size when it holds one from 1 to 256 pixels; PNG-stored
// images keep the entry's size.
void TakeBitmapSize(TLoadedIconImage& image, ByteView data) {
    if (IsPngStream(data)) return;
    std::uint32_t width = ReadU32At(data, 4);
    auto rows = static_cast<std::int32_t>(ReadU32At(data, 8));
    std::uint32_t height = static_cast<std::uint32_t>(rows < 0 ? -(rows / 2) : rows / 2);
    if (width < 1 || width > 256 || height < 1 || height > 256) return;
    image.Width = static_cast<std::uint8_t>(width);  // 256 is stored as 0
    image.Height = static_cast<std::uint8_t>(height);
}

// Reads one group's entries and decodes its images, from the last back to the first.
void ReadGroup(TLoadedIcon& icon, ByteView group, const TResourceId& name,
               const TPeResourceType& images, const TGroupKind& kind, std::size_t imageBytes,
               TDecodeBudget& budget) {
    ByteReader data(group);
    data.Skip(TIconGroupHeader::kCountAt);  // reserved and type words
    std::uint16_t count = data.U16();
    std::size_t first = icon.Images.size();
    for (std::uint16_t i = 0; i < count; ++i) {
        auto entry = kind.Cursor ? icon.ReadCursorEntry(data) : icon.ReadDirEntry(data, true);
        TLoadedIconImage& image = icon.AddImage(std::move(entry));
        image.ResourceName = GroupName(name, kind);
        budget.ChargeEntry(image);
    }
    for (std::size_t i = icon.Images.size(); i-- > first;) {
        TLoadedIconImage& image = *icon.Images[i];
        auto id = static_cast<std::uint16_t>(image.ImageOffset);
        std::optional<ByteView> bytes = images.Find(TResourceId::Number(id), imageBytes);
        if (!bytes) {
            throw TReadError((kind.Cursor ? "Cursor image #" : "Icon image #") +
                             std::to_string(id) + " is missing");
        }
        ByteView data = ImageData(*bytes, image, kind);
        if (kind.Cursor) TakeBitmapSize(image, data);
        image.DecodeImage(data, true);
        budget.Charge(image);
        icon.UpdateMaxSize(image.PixelWidth(), image.PixelHeight());
    }
}

// Reads the groups of one kind in directory order; with firstOnly, stops after the first
// group that gives images.
void ReadGroups(TLoadedIcon& icon, const TPeImage& image, const TGroupKind& kind,
                const TLoadOptions& options, TDecodeBudget& budget) {
    TPeResourceType groups(image, kind.GroupType);
    if (groups.Names().empty()) return;
    TPeResourceType images(image, kind.ImageType);
    std::size_t imageBytes = options.HeadersOnly ? kImageHeadSize : SIZE_MAX;
    for (const TResourceId& name : groups.Names()) {
        std::optional<ByteView> group = groups.Find(name);
        if (group) ReadGroup(icon, *group, name, images, kind, imageBytes, budget);
        if (options.FileIconOnly && !icon.Images.empty()) return;
    }
}

std::unique_ptr<TLoadedIcon> ReadResourceIcons(const TPeImage& image, const std::string& fileName,
                                               const TLoadOptions& options) {
    TDecodeBudget budget(image.FileSize());
    auto icon = std::make_unique<TLoadedIcon>();
    icon->FileName = fileName;
    ReadGroups(*icon, image, kIconGroups, options, budget);
    bool haveFileIcon = options.FileIconOnly && !icon->Images.empty();
    if (options.IncludeCursors && !haveFileIcon) {
        ReadGroups(*icon, image, kCursorGroups, options, budget);
    }
    icon->ImageCount = static_cast<std::int32_t>(icon->Images.size());
    if (icon->ImageCount == 0) return nullptr;
    return icon;
}

// 16-bit executables and icon libraries; their errors never leave this reader.
std::unique_ptr<TLoadedIcon> ReadSixteenBitIcons(ByteView file, const std::string& fileName) {
    std::unique_ptr<TLoadedIcon> icon;
    try {
        icon = ReadNeData(file, fileName);
    } catch (const TReadError&) {
        return nullptr;
    }
    if (icon->ImageCount == 0) return nullptr;
    return icon;
}

// A 32-bit image reads the ranges it parses; anything else is read whole for the 16-bit
// reader.
std::unique_ptr<TLoadedIcon> ReadPeSource(TByteSource& File, const std::string& FileName,
                                          const TLoadOptions& Options) {
    std::optional<TPeImage> image = TPeImage::Open(File);
    if (!image) return ReadSixteenBitIcons(File.All(), FileName);
    return ReadResourceIcons(*image, FileName, Options);
}

}  // namespace

std::unique_ptr<TLoadedIcon> ReadPeData(ByteView File, const std::string& FileName,
                                        const TLoadOptions& Options) {
    TMemoryBytes bytes(File);
    return ReadPeSource(bytes, FileName, Options);
}

std::unique_ptr<TLoadedIcon> ReadPeFile(const std::string& FileName, const TLoadOptions& Options) {
    TFileBytes file(FileName);
    return ReadPeSource(file, FileName, Options);
}
