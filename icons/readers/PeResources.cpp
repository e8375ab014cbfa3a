#include "icons/readers/PeResources.h"

#include "icons/ResourceName.h"

namespace {

using TEntry = TPeResourceDirectoryEntry;

}  // namespace

TPeResourceType::TPeResourceType(const TPeImage& image, std::uint16_t type) : image_(image) {
    if (!image.ResourceDirectory()) return;
    root_ = *image.ResourceDirectory();
    for (const TEntry& entry : ReadDirectory(0)) {
        if ((entry.Name & TEntry::kNameIsString) == 0 &&
            static_cast<std::uint16_t>(entry.Name) == type) {
            typeDirectory_ = SubdirectoryOf(entry);
            break;
        }
    }
    if (typeDirectory_ == 0) return;
    for (const TEntry& entry : ReadDirectory(typeDirectory_)) {
        try {
            TResourceId name = ReadName(entry);
            targets_.push_back(SubdirectoryOf(entry));
            names_.push_back(std::move(name));
            firstOf_.emplace(names_.back(), names_.size() - 1);
        } catch (const TReadError& error) {
            // An entry that names nothing readable or leads nowhere is lost alone.
            if (damage_.empty()) damage_ = error.what();
        }
    }
}

std::optional<TPeResource> TPeResourceType::Find(const TResourceId& name,
                                                 std::size_t atMost) const {
    auto found = firstOf_.find(name);
    if (found == firstOf_.end()) return std::nullopt;
    std::vector<TEntry> languages = ReadDirectory(targets_[found->second]);
    if (languages.empty()) return std::nullopt;
    if (languages[0].OffsetToData & TEntry::kDataIsDirectory) {
        throw TReadError("Resource directory nested deeper than three levels");
    }
    TPeResourceDataEntry data = TPeResourceDataEntry::Read(
        image_.At(std::uint64_t{root_} + languages[0].OffsetToData, TPeResourceDataEntry::kSize));
    return TPeResource{image_.AtMost(data.OffsetToData, data.Size, atMost), data.Size,
                       image_.Held(data.OffsetToData, data.Size)};
}

std::vector<TEntry> TPeResourceType::ReadDirectory(std::uint32_t offset) const {
    std::uint64_t at = std::uint64_t{root_} + offset;
    TPeResourceDirectory header =
        TPeResourceDirectory::Read(image_.At(at, TPeResourceDirectory::kSize));
    std::size_t count = std::size_t{header.NumberOfNamedEntries} + header.NumberOfIdEntries;
    if (count == 0) return {};
    ByteReader table(image_.At(at + TPeResourceDirectory::kSize, count * TEntry::kSize));
    std::vector<TEntry> entries;
    entries.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        entries.push_back(TEntry::Read(table.Take(TEntry::kSize)));
    }
    return entries;
}

// The directory an entry of the type or name level leads to; it must be a directory, and
// not the root or the type directory the walk came through.
std::uint32_t TPeResourceType::SubdirectoryOf(const TEntry& entry) const {
    if ((entry.OffsetToData & TEntry::kDataIsDirectory) == 0) {
        throw TReadError("Resource directory level is missing");
    }
    std::uint32_t offset = entry.OffsetToData & ~TEntry::kDataIsDirectory;
    if (offset == 0 || offset == typeDirectory_) {
        throw TReadError("Resource directory points back into itself");
    }
    return offset;
}

TResourceId TPeResourceType::ReadName(const TEntry& entry) const {
    if ((entry.Name & TEntry::kNameIsString) == 0) {
        return TResourceId::Number(static_cast<std::uint16_t>(entry.Name));
    }
    std::uint64_t at = std::uint64_t{root_} + (entry.Name & ~TEntry::kNameIsString);
    std::uint16_t length = ReadU16At(image_.At(at, TPeResourceString::kLengthSize), 0);
    ByteView units = image_.At(at + TPeResourceString::kLengthSize,
                               std::size_t{TPeResourceString::kUnitSize} * length);
    return TResourceId::String(Utf16ToUtf8(units));
}
