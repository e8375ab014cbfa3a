#include "icons/readers/PeReader.h"

#include <algorithm>
#include <set>

#include "icons/DecodeBudget.h"
#include "icons/FileBytes.h"
#include "icons/PngStream.h"
#include "icons/readers/LooseImage.h"
#include "icons/readers/NeReader.h"
#include "icons/readers/PeResources.h"

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

// A cursor group of the same name as an icon group is another icon: its name says so, so
// that grouping, properties and export names keep the two apart.
std::string GroupName(const TResourceId& name, const TGroupKind& kind) {
    return kind.Cursor ? "Cursor " + ResourceNameText(name) : ResourceNameText(name);
}

// What a reason calls a group or image resource: "icon group #1", "cursor image #5".
std::string ResourceText(const TGroupKind& kind, const char* what, const TResourceId& name) {
    return std::string(kind.Cursor ? "cursor " : "icon ") + what + " " + ResourceNameText(name);
}

// The image data a group entry names: the entry's size may claim more than the resource
// holds, so it is bounded by the resource; a cursor's hot spot is not part of the bitmap.
ByteView ImageData(ByteView resource, const TLoadedIconImage& image, const TGroupKind& kind) {
    std::size_t claimed = image.BytesInRes;
    if (kind.Cursor) {
        resource = resource.subspan(kHotSpotSize);
        claimed = claimed < kHotSpotSize ? 0 : claimed - kHotSpotSize;
    }
    return resource.first(std::min(claimed, resource.size()));
}

// Cursor group entries should carry the height doubled, as the bitmap header counts colour and
// mask rows, but some resource compilers (Wine's among them) write it as it is: a bitmap
// image's own header settles the size (TakeBitmapSize).

// Decodes the image a group entry names from its first `imageBytes` bytes at most. A resource
// that is missing, that the file ends inside, or that the directory cannot lead to leaves the
// image damaged.
void DecodeEntryImage(TLoadedIconImage& image, const TPeResourceType& images,
                      const TGroupKind& kind, std::size_t imageBytes) {
    auto id = TResourceId::Number(static_cast<std::uint16_t>(image.ImageOffset));
    std::string what = ResourceText(kind, "image", id);
    std::optional<TPeResource> resource;
    try {
        resource = images.Find(id, imageBytes);
    } catch (const TReadError& error) {
        image.MarkDamaged(error.what());
        return;
    }
    if (!resource) return image.MarkDamaged(what + " is missing");
    ByteView bytes = resource->Bytes;
    std::string cutReason =
        CutShortReason(kFileEnds, what, static_cast<std::size_t>(resource->Held));
    bool cut = resource->Cut() && resource->Held < image.BytesInRes;
    if (kind.Cursor && resource->Held < kHotSpotSize) {
        return image.MarkDamaged(cut ? cutReason : what + " is shorter than its hot spot", bytes);
    }
    if (kind.Cursor) image.HotSpot = THotSpot{ReadU16At(bytes, 0), ReadU16At(bytes, 2)};
    ByteView data = ImageData(bytes, image, kind);
    if (kind.Cursor) TakeBitmapSize(image, data);
    if (cut) {
        std::uint64_t held = resource->Held - (kind.Cursor ? kHotSpotSize : 0);
        image.DecodeImage(data, {held, cutReason});
    } else {
        image.DecodeImage(data, true);
    }
    // A listing holds thousands of images at once; their heads have told it all it needs.
    if (imageBytes != SIZE_MAX) image.ForgetStoredBytes();
}

// Reads the whole entries of one group and decodes their images, from the last back to the
// first. A group cut short keeps the entries before the cut.
void ReadGroup(TLoadedIcon& icon, const TPeResource& group, const TResourceId& name,
               const TPeResourceType& images, const TGroupKind& kind, std::size_t imageBytes,
               TDecodeBudget& budget) {
    ByteReader data(group.Bytes, ResourceText(kind, "group", name),
                    group.Cut() ? kFileEnds : "the resource");
    std::uint16_t count = 0;
    std::shared_ptr<const TIconGroupRecord> record;
    if (data.Has(TIconGroupHeader::kSize)) {
        record = ReadGroupRecord(data.Rest());
        data.Skip(TIconGroupHeader::kCountAt);  // reserved and type words
        count = data.U16();
    } else {
        icon.NoteDamage(data.CutShort());
    }
    std::size_t first = icon.Images.size();
    for (std::uint16_t i = 0; i < count; ++i) {
        if (!data.Has(TIconGroupHeader::kEntrySize)) {
            icon.NoteDamage(data.CutShort());
            break;
        }
        auto entry = kind.Cursor ? icon.ReadCursorEntry(data) : icon.ReadDirEntry(data, true);
        TLoadedIconImage& image = icon.AddImage(std::move(entry));
        image.ResourceName = GroupName(name, kind);
        image.Group = record;
        budget.ChargeEntry(image);
    }
    for (std::size_t i = icon.Images.size(); i-- > first;) {
        TLoadedIconImage& image = *icon.Images[i];
        DecodeEntryImage(image, images, kind, imageBytes);
        budget.Charge(image);
        icon.UpdateMaxSize(image.PixelWidth(), image.PixelHeight());
    }
}

// The group of that name; a group the directory cannot lead to is lost, and said so.
std::optional<TPeResource> FindGroup(TLoadedIcon& icon, const TPeResourceType& groups,
                                     const TResourceId& name) {
    try {
        return groups.Find(name);
    } catch (const TReadError& error) {
        icon.NoteDamage(error.what());
        return std::nullopt;
    }
}

// Reads the groups of one kind that the options take, in directory order; with FileIconOnly,
// stops after the first group that gives images.
void ReadGroups(TLoadedIcon& icon, const TPeImage& image, const TGroupKind& kind,
                const TLoadOptions& options, TDecodeBudget& budget) {
    TPeResourceType groups(image, kind.GroupType);
    if (!groups.Damage().empty()) icon.NoteDamage(groups.Damage());
    if (groups.Names().empty()) return;
    TPeResourceType images(image, kind.ImageType);
    if (!images.Damage().empty()) icon.NoteDamage(images.Damage());
    std::size_t imageBytes = options.HeadersOnly ? kImageHeadSize : SIZE_MAX;
    for (const TResourceId& name : groups.Names()) {
        bool mainIcon = !kind.Cursor && &name == &groups.Names().front();
        if (!options.Groups.Takes(GroupName(name, kind), mainIcon)) continue;
        std::optional<TPeResource> group = FindGroup(icon, groups, name);
        if (group) ReadGroup(icon, *group, name, images, kind, imageBytes, budget);
        if (options.FileIconOnly && !icon.Images.empty()) return;
    }
}

// An icon of image count 0 is nothing; when entries were lost on the way, the reason is the
// file's.
std::unique_ptr<TLoadedIcon> WithImagesOrNothing(std::unique_ptr<TLoadedIcon> icon) {
    if (icon->ImageCount > 0) return icon;
    if (!icon->Damage.empty()) throw TReadError(icon->Damage);
    return nullptr;
}

// The icon images no group read names, kept when icon groups were lost: without them a file
// whose group directory is cut shows nothing although its images are whole. They belong to no
// group, so a read of chosen groups leaves them out.
void ReadLooseImages(TLoadedIcon& icon, const TPeImage& image, const TLoadOptions& options,
                     TDecodeBudget& budget) {
    if (!options.Groups.TakesAll()) return;
    std::set<std::uint32_t> named;
    for (const auto& read : icon.Images) named.insert(read->ImageOffset);
    TPeResourceType images(image, kRtIcon);
    std::size_t imageBytes = options.HeadersOnly ? kImageHeadSize : SIZE_MAX;
    for (const TResourceId& id : images.Names()) {
        if (id.Named || named.contains(id.Id)) continue;
        std::optional<TPeResource> resource;
        try {
            resource = images.Find(id, imageBytes);
        } catch (const TReadError&) {
            continue;  // a directory entry that leads nowhere holds no image to keep
        }
        if (!resource) continue;
        auto loose = ReadLooseImage(resource->Bytes, resource->Size, resource->Held, id.Id);
        if (!loose) continue;
        if (imageBytes != SIZE_MAX) loose->ForgetStoredBytes();
        budget.ChargeEntry(*loose);
        budget.Charge(*loose);
        TLoadedIconImage& added = icon.AddImage(std::move(loose));
        icon.UpdateMaxSize(added.PixelWidth(), added.PixelHeight());
    }
}

std::unique_ptr<TLoadedIcon> ReadResourceIcons(const TPeImage& image, const std::string& fileName,
                                               const TLoadOptions& options) {
    TDecodeBudget budget(image.FileSize());
    auto icon = std::make_unique<TLoadedIcon>();
    icon->FileName = fileName;
    ReadGroups(*icon, image, kIconGroups, options, budget);
    // Loose images are no group, so never the file's own icon.
    if (!icon->Damage.empty() && !options.FileIconOnly)
        ReadLooseImages(*icon, image, options, budget);
    bool haveFileIcon = options.FileIconOnly && !icon->Images.empty();
    if (options.IncludeCursors && !haveFileIcon) {
        ReadGroups(*icon, image, kCursorGroups, options, budget);
    }
    icon->ImageCount = static_cast<std::int32_t>(icon->Images.size());
    // Groups left unread are no loss: a file without the chosen groups gives no images.
    if (!options.Groups.TakesAll() && icon->Damage.empty()) return icon;
    return WithImagesOrNothing(std::move(icon));
}

// 16-bit executables and icon libraries.
std::unique_ptr<TLoadedIcon> ReadSixteenBitIcons(TByteSource& file, const std::string& fileName,
                                                 const TGroupFilter& groups) {
    return WithImagesOrNothing(ReadNeSource(file, fileName, groups));
}

}  // namespace

// A 32-bit image reads the ranges it parses; anything else goes to the 16-bit reader.
std::unique_ptr<TLoadedIcon> ReadPeSource(TByteSource& File, const std::string& FileName,
                                          const TLoadOptions& Options) {
    std::optional<TPeImage> image = TPeImage::Open(File);
    if (!image) return ReadSixteenBitIcons(File, FileName, Options.Groups);
    return ReadResourceIcons(*image, FileName, Options);
}

std::unique_ptr<TLoadedIcon> ReadPeData(ByteView File, const std::string& FileName,
                                        const TLoadOptions& Options) {
    TMemoryBytes bytes(File);
    return ReadPeSource(bytes, FileName, Options);
}

std::unique_ptr<TLoadedIcon> ReadPeFile(const std::string& FileName, const TLoadOptions& Options) {
    TFileBytes file(FileName);
    return ReadPeSource(file, FileName, Options);
}
