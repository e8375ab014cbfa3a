#include "icons/readers/NeReader.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <set>
#include <vector>

#include "icons/DecodeBudget.h"
#include "icons/ResourceName.h"
#include "icons/readers/LooseImage.h"
#include "icons/readers/NeHeaders.h"

namespace {

// Offsets are 16-bit values scaled by 2^shift; a larger shift could not address a file
// position that TIconImageOffset holds.
constexpr std::uint16_t kMaxAlignmentShift = 15;

constexpr std::string_view kTable = "the resource table";

// An 8-bit name as the file stores it (see ReadableName).
std::string AsText(ByteView bytes) {
    return std::string(bytes.begin(), bytes.end());
}

struct TResourceRecord {
    std::uint32_t Offset;  // already scaled by the alignment
    std::uint32_t Length;
    std::string Name;
};

// One read of an NE resource table, with the lookup tables that live only during it.
class TNeIconRead {
public:
    TNeIconRead(TByteSource& file, TLoadedIcon& icon, const TGroupFilter& groups)
        : file_(file),
          icon_(icon),
          groups_(groups),
          budget_(static_cast<std::size_t>(file.Size())) {}

    void Run(std::size_t ne);

private:
    void ReadTypeTable();
    void ReadRecords(std::uint16_t type, std::size_t count);
    TResourceRecord ReadRecord(std::size_t at) const;
    std::string ReadName(std::uint16_t id) const;
    void ReadGroup(const TResourceRecord& group);
    void NameLibraryGroups();
    void DropUnchosenGroups();
    void DecodeImages();
    bool DecodeOne(TLoadedIconImage& image);
    void ReadLooseImages();
    std::uint16_t U16(std::size_t at, std::string_view what) const {
        return ReadU16At(file_.Read(at, 2, what), 0);
    }

    TByteSource& file_;
    TLoadedIcon& icon_;
    const TGroupFilter& groups_;
    TDecodeBudget budget_;
    std::size_t table_ = 0;
    std::uint16_t shift_ = 0;
    std::size_t position_ = 0;
    std::map<std::string, TIconImageOffset> ImageOffsets;
    std::vector<std::size_t> GroupStarts;
};

void TNeIconRead::Run(std::size_t ne) {
    table_ = ne + U16(ne + TNeHeader::kResourceTableAt, "the NE header");
    shift_ = U16(table_ + TNeResourceTable::kAlignmentShiftAt, kTable);
    if (shift_ > kMaxAlignmentShift) {
        throw TReadError("Resource alignment shift " + std::to_string(shift_) + " is too large");
    }
    ReadTypeTable();
    NameLibraryGroups();
    icon_.ImageCount = static_cast<std::int32_t>(icon_.Images.size());
    DropUnchosenGroups();
    DecodeImages();
    if (!icon_.Damage.empty() && groups_.TakesAll()) ReadLooseImages();
}

// Walks the type records up to the zero type id; the position only grows, so a table without
// its terminator ends with a read error at the end of the file.
void TNeIconRead::ReadTypeTable() {
    position_ = table_ + TNeResourceTable::kTypesAt;
    for (std::uint16_t type = U16(position_ + TNeTypeInfo::kTypeIdAt, kTable); type != 0;
         type = U16(position_ + TNeTypeInfo::kTypeIdAt, kTable)) {
        std::size_t count = U16(position_ + TNeTypeInfo::kResourceCountAt, kTable);
        position_ += TNeTypeInfo::kSize;
        bool icons = type == TNeResourceTable::kIconImage || type == TNeResourceTable::kIconGroup;
        if (icons) ReadRecords(type, count);
        position_ += count * TNeNameInfo::kSize;  // other types are skipped
    }
    position_ += TNeResourceTable::kEndOfTypesSize;
}

void TNeIconRead::ReadRecords(std::uint16_t type, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        TResourceRecord record = ReadRecord(position_ + i * TNeNameInfo::kSize);
        if (type == TNeResourceTable::kIconGroup) {
            ReadGroup(record);
        } else {
            ImageOffsets.emplace(
                record.Name,
                TIconImageOffset{static_cast<std::int32_t>(record.Offset), record.Length});
        }
    }
}

TResourceRecord TNeIconRead::ReadRecord(std::size_t at) const {
    TNeNameInfo record = TNeNameInfo::Read(file_.Read(at, TNeNameInfo::kSize, kTable));
    return {std::uint32_t{record.Offset} << shift_, std::uint32_t{record.Length} << shift_,
            ReadName(record.Id)};
}

// A numeric id has the top bit set; otherwise the id is the offset, from the resource table,
// of a length-prefixed name.
std::string TNeIconRead::ReadName(std::uint16_t id) const {
    if (id & TNeResourceTable::kNumericId) {
        auto number = static_cast<std::uint16_t>(id - TNeResourceTable::kNumericId);
        return ResourceNameText(TResourceId::Number(number));
    }
    std::size_t at = table_ + id;
    return AsText(file_.Read(at + 1, file_.Read(at, 1, kTable)[0], kTable));
}

// Reads the group's whole entries; a group the file ends inside keeps those before the cut.
void TNeIconRead::ReadGroup(const TResourceRecord& group) {
    std::string what = "icon group " + group.Name;
    ByteView header = file_.ReadAtMost(group.Offset, TIconGroupHeader::kSize);
    if (header.size() < TIconGroupHeader::kSize) {
        icon_.NoteDamage(ByteReader(header, what).CutShort());
        return;
    }
    auto record = ReadGroupRecord(header);
    std::uint16_t count = ReadU16At(header, TIconGroupHeader::kCountAt);
    ByteReader data(file_.ReadAtMost(group.Offset, TIconGroupHeader::kSize +
                                                       TIconGroupHeader::kEntrySize * count),
                    what);
    data.Skip(TIconGroupHeader::kSize);
    for (std::uint16_t i = 0; i < count; ++i) {
        if (!data.Has(TIconGroupHeader::kEntrySize)) {
            icon_.NoteDamage(data.CutShort());
            return;
        }
        std::unique_ptr<TLoadedIconImage> image = icon_.ReadDirEntry(data, true);
        budget_.ChargeEntry(*image);  // dropped entries cost reading time all the same
        if (image->Width == 0 || image->Height == 0) continue;
        image->ResourceName = group.Name;
        image->Group = record;
        if (i == 0) GroupStarts.push_back(icon_.Images.size());
        icon_.AddImage(std::move(image));
    }
}

// An icon library keeps its group names in a table that starts with the name "ICL", right
// after the type table; the k-th name belongs to the k-th group.
void TNeIconRead::NameLibraryGroups() {
    static constexpr std::uint8_t kLibraryMark[] = {3, 'I', 'C', 'L'};
    // Each name is a length byte and at most 255 characters.
    ByteReader names(file_.ReadAtMost(position_, 4 + 256 * GroupStarts.size()));
    if (!names.Has(4) || !std::equal(kLibraryMark, kLibraryMark + 4, names.Take(4).begin())) {
        return;
    }
    for (std::size_t k = 0; k < GroupStarts.size(); ++k) {
        std::string name = AsText(names.Take(names.U8()));
        std::size_t end = k + 1 < GroupStarts.size() ? GroupStarts[k + 1] : icon_.Images.size();
        for (std::size_t i = GroupStarts[k]; i < end; ++i) icon_.Images[i]->ResourceName = name;
    }
}

// Lets go of the entries of the groups not chosen before any image is read; the first image's
// group is the main icon.
void TNeIconRead::DropUnchosenGroups() {
    if (groups_.TakesAll() || icon_.Images.empty()) return;
    const std::string mainIcon = icon_.Images.front()->ResourceName;
    std::erase_if(icon_.Images, [&](const auto& image) {
        return !groups_.Takes(image->ResourceName, image->ResourceName == mainIcon);
    });
}

// Decodes from the last image to the first, dropping those that hold nothing but zero bytes.
void TNeIconRead::DecodeImages() {
    for (std::size_t i = icon_.Images.size(); i-- > 0;) {
        if (!DecodeOne(*icon_.Images[i])) icon_.Images[i].reset();
    }
    std::erase_if(icon_.Images, [](const auto& image) { return image == nullptr; });
}

// An image whose resource is missing, or that the file ends inside, is kept damaged.
bool TNeIconRead::DecodeOne(TLoadedIconImage& image) {
    std::string name =
        ResourceNameText(TResourceId::Number(static_cast<std::uint16_t>(image.ImageOffset)));
    auto found = ImageOffsets.find(name);
    bool hasBits = true;
    if (found == ImageOffsets.end()) {
        image.MarkDamaged("icon image " + name + " is missing");
    } else {
        const TIconImageOffset& where = found->second;
        ByteView present = file_.ReadAtMost(static_cast<std::uint32_t>(where.Offset), where.Length);
        if (present.size() < where.Length) {
            hasBits = image.DecodeImage(
                present,
                {present.size(), CutShortReason(kFileEnds, "icon image " + name, present.size())});
        } else {
            hasBits = image.DecodeImage(present, true);
        }
    }
    budget_.Charge(image);
    if (hasBits) icon_.UpdateMaxSize(image.PixelWidth(), image.PixelHeight());
    return hasBits;
}

// The icon images no group read names, kept when groups were lost (see the 32-bit reader).
void TNeIconRead::ReadLooseImages() {
    std::set<std::uint32_t> named;
    for (const auto& image : icon_.Images) named.insert(image->ImageOffset);
    for (const auto& [name, where] : ImageOffsets) {
        std::uint16_t id = 0;
        if (name.size() < 2 || name[0] != '#' ||
            std::from_chars(name.data() + 1, name.data() + name.size(), id).ptr !=
                name.data() + name.size() ||
            named.contains(id)) {
            continue;  // a named image, or one a group names
        }
        ByteView bytes = file_.ReadAtMost(static_cast<std::uint32_t>(where.Offset), where.Length);
        auto loose = ReadLooseImage(bytes, where.Length, bytes.size(), id);
        if (!loose) continue;
        budget_.ChargeEntry(*loose);
        budget_.Charge(*loose);
        TLoadedIconImage& added = icon_.AddImage(std::move(loose));
        icon_.UpdateMaxSize(added.PixelWidth(), added.PixelHeight());
    }
}

}  // namespace

std::unique_ptr<TLoadedIcon> ReadNeSource(TByteSource& File, const std::string& FileName,
                                          const TGroupFilter& Groups) {
    auto icon = std::make_unique<TLoadedIcon>();
    icon->FileName = FileName;
    if (File.Size() < TDosHeader::kNewHeaderAt + 4) return icon;  // too short to be one
    std::size_t ne = ReadU32At(File.Read(TDosHeader::kNewHeaderAt, 4), 0) & TNeHeader::kOffsetMask;
    ByteView signature = File.ReadAtMost(ne + TNeHeader::kSignatureAt, 2);
    if (signature.size() == 2 && ReadU16At(signature, 0) == TNeHeader::kSignature) {
        TNeIconRead(File, *icon, Groups).Run(ne);
    }
    return icon;
}

std::unique_ptr<TLoadedIcon> ReadNeData(ByteView File, const std::string& FileName,
                                        const TGroupFilter& Groups) {
    TMemoryBytes bytes(File);
    return ReadNeSource(bytes, FileName, Groups);
}
