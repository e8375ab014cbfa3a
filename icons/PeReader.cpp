#include "icons/PeReader.h"

#include <algorithm>

#include "icons/DecodeBudget.h"
#include "icons/MappedFile.h"
#include "icons/NeReader.h"
#include "icons/PeResources.h"

namespace {

// Reads one group's entries and decodes its images, from the last back to the first.
void ReadGroup(TLoadedIcon& icon, ByteView group, const TResourceId& name,
               const TPeResourceType& images, TDecodeBudget& budget) {
    ByteReader data(group);
    data.Skip(TIconGroupHeader::kCountAt);  // reserved and type words
    std::uint16_t count = data.U16();
    std::size_t first = icon.Images.size();
    for (std::uint16_t i = 0; i < count; ++i) {
        TLoadedIconImage& image = icon.AddImage(icon.ReadDirEntry(data, true));
        image.ResourceName = ResourceNameText(name);
        budget.ChargeEntry(image);
    }
    for (std::size_t i = icon.Images.size(); i-- > first;) {
        TLoadedIconImage& image = *icon.Images[i];
        auto id = static_cast<std::uint16_t>(image.ImageOffset);
        std::optional<ByteView> bytes = images.Find(TResourceId::Number(id));
        if (!bytes) throw TReadError("Icon image #" + std::to_string(id) + " is missing");
        // The entry's size may claim more than the resource holds; never read past it.
        image.DecodeImage(bytes->first(std::min<std::size_t>(image.BytesInRes, bytes->size())),
                          true);
        budget.Charge(image);
        icon.UpdateMaxSize(image.PixelWidth(), image.PixelHeight());
    }
}

std::unique_ptr<TLoadedIcon> ReadResourceIcons(const TPeImage& image, const std::string& fileName) {
    TPeResourceType groups(image, kRtGroupIcon);
    TPeResourceType images(image, kRtIcon);
    TDecodeBudget budget(image.FileSize());
    auto icon = std::make_unique<TLoadedIcon>();
    icon->FileName = fileName;
    for (const TResourceId& name : groups.Names()) {
        std::optional<ByteView> group = groups.Find(name);
        if (group) ReadGroup(*icon, *group, name, images, budget);
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

}  // namespace

std::unique_ptr<TLoadedIcon> ReadPeData(ByteView File, const std::string& FileName) {
    std::optional<TPeImage> image = TPeImage::Open(File);
    if (!image) return ReadSixteenBitIcons(File, FileName);
    return ReadResourceIcons(*image, FileName);
}

std::unique_ptr<TLoadedIcon> ReadPeFile(const std::string& FileName) {
    TMappedFile file(FileName);
    return ReadPeData(file.Bytes(), FileName);
}
