#include "icons/PeResources.h"

namespace {

constexpr std::uint32_t kHighBit = 0x80000000u;
constexpr std::size_t kDirectoryHeaderSize = 16;
constexpr std::size_t kDirectoryEntrySize = 8;
constexpr std::size_t kDataEntrySize = 16;

void AppendUtf8(std::string& out, std::uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// Resource names are UTF-16; unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(ByteReader units) {
    std::string out;
    while (!units.Empty()) {
        std::uint32_t code = units.U16();
        if (code >= 0xD800 && code < 0xDC00 && units.Has(2)) {
            std::uint16_t low = ReadU16At(units.Rest(), 0);
            if (low >= 0xDC00 && low < 0xE000) {
                units.Skip(2);
                code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
            }
        }
        if (code >= 0xD800 && code < 0xE000) code = 0xFFFD;
        AppendUtf8(out, code);
    }
    return out;
}

}  // namespace

TPeResourceType::TPeResourceType(const TPeImage& image, std::uint16_t type) : image_(image) {
    if (!image.ResourceDirectory()) return;
    root_ = *image.ResourceDirectory();
    for (const TDirectoryEntry& entry : ReadDirectory(0)) {
        if ((entry.Name & kHighBit) == 0 && static_cast<std::uint16_t>(entry.Name) == type) {
            typeDirectory_ = SubdirectoryOf(entry);
            break;
        }
    }
    if (typeDirectory_ == 0) return;
    for (const TDirectoryEntry& entry : ReadDirectory(typeDirectory_)) {
        names_.push_back(ReadName(entry));
        targets_.push_back(SubdirectoryOf(entry));
        firstOf_.emplace(names_.back(), names_.size() - 1);
    }
}

std::optional<ByteView> TPeResourceType::Find(const TResourceId& name) const {
    auto found = firstOf_.find(name);
    if (found == firstOf_.end()) return std::nullopt;
    std::vector<TDirectoryEntry> languages = ReadDirectory(targets_[found->second]);
    if (languages.empty()) return std::nullopt;
    if (languages[0].Target & kHighBit) {
        throw TReadError("Resource directory nested deeper than three levels");
    }
    ByteReader data(image_.At(std::uint64_t{root_} + languages[0].Target, kDataEntrySize));
    std::uint32_t rva = data.U32();
    std::uint32_t size = data.U32();
    return image_.At(rva, size);
}

std::vector<TPeResourceType::TDirectoryEntry> TPeResourceType::ReadDirectory(
    std::uint32_t offset) const {
    std::uint64_t at = std::uint64_t{root_} + offset;
    ByteReader header(image_.At(at, kDirectoryHeaderSize));
    header.Skip(12);
    std::size_t count = std::size_t{header.U16()} + header.U16();
    if (count == 0) return {};
    ByteReader table(image_.At(at + kDirectoryHeaderSize, count * kDirectoryEntrySize));
    std::vector<TDirectoryEntry> entries(count);
    for (TDirectoryEntry& entry : entries) {
        entry.Name = table.U32();
        entry.Target = table.U32();
    }
    return entries;
}

// The directory an entry of the type or name level leads to; it must be a directory, and
// not the root or the type directory the walk came through.
std::uint32_t TPeResourceType::SubdirectoryOf(const TDirectoryEntry& entry) const {
    if ((entry.Target & kHighBit) == 0) throw TReadError("Resource directory level is missing");
    std::uint32_t offset = entry.Target & ~kHighBit;
    if (offset == 0 || offset == typeDirectory_) {
        throw TReadError("Resource directory points back into itself");
    }
    return offset;
}

TResourceId TPeResourceType::ReadName(const TDirectoryEntry& entry) const {
    if ((entry.Name & kHighBit) == 0) {
        return TResourceId::Number(static_cast<std::uint16_t>(entry.Name));
    }
    std::uint64_t at = std::uint64_t{root_} + (entry.Name & ~kHighBit);
    std::uint16_t length = ReadU16At(image_.At(at, 2), 0);
    return TResourceId::String(Utf16ToUtf8(ByteReader(image_.At(at + 2, 2u * length))));
}
