#include "icons/PeImage.h"

#include <algorithm>

namespace {

constexpr std::uint16_t kPe32Magic = 0x10B;
constexpr std::uint16_t kPe32PlusMagic = 0x20B;
constexpr std::uint32_t kResourceDirectoryIndex = 2;
constexpr std::size_t kFileHeaderSize = 20;
constexpr std::size_t kSectionHeaderSize = 40;

// Address range a section occupies once loaded. A virtual size of 0 means the raw size;
// bytes past the raw data would be zero-filled by a loader and are not in the file, so
// resources must lie within both sizes.
std::uint32_t SectionExtent(const TPeSection& section) {
    if (section.VirtualSize == 0) return section.RawSize;
    return std::min(section.VirtualSize, section.RawSize);
}

}  // namespace

std::optional<TPeImage> TPeImage::Open(ByteView file) {
    TPeImage image(file);
    try {
        image.ReadHeaders();
    } catch (const TReadError&) {
        return std::nullopt;  // truncated or inconsistent headers: not an image
    }
    return image;
}

void TPeImage::ReadHeaders() {
    if (ReadU16At(file_, 0) != 0x5A4D) throw TReadError("No MZ header");
    std::uint32_t pe = ReadU32At(file_, 0x3C);
    if (ReadU32At(file_, pe) != 0x00004550) throw TReadError("No PE signature");

    ByteReader header(Slice(file_, std::size_t{pe} + 4, kFileHeaderSize));
    header.Skip(2);  // machine: a data file of any architecture is readable
    std::uint16_t sectionCount = header.U16();
    header.Skip(12);
    std::uint16_t optionalSize = header.U16();

    std::size_t optional = std::size_t{pe} + 4 + kFileHeaderSize;
    ByteView optionalHeader = Slice(file_, optional, optionalSize);
    std::uint16_t magic = ReadU16At(optionalHeader, 0);
    if (magic != kPe32Magic && magic != kPe32PlusMagic) throw TReadError("No optional header");
    std::size_t countAt = magic == kPe32Magic ? 92 : 108;
    std::uint32_t directoryCount = ReadU32At(optionalHeader, countAt);
    std::size_t resourceAt = countAt + 4 + 8 * kResourceDirectoryIndex;
    if (directoryCount > kResourceDirectoryIndex && resourceAt + 8 <= optionalSize) {
        std::uint32_t rva = ReadU32At(optionalHeader, resourceAt);
        if (rva != 0) resourceRva_ = rva;
    }
    ReadSections(optional + optionalSize, sectionCount);
}

void TPeImage::ReadSections(std::size_t tableOffset, std::uint16_t count) {
    ByteReader table(Slice(file_, tableOffset, kSectionHeaderSize * count));
    sections_.resize(count);
    for (TPeSection& section : sections_) {
        ByteReader entry(table.Take(kSectionHeaderSize));
        entry.Skip(8);  // name
        section.VirtualSize = entry.U32();
        section.VirtualAddress = entry.U32();
        section.RawSize = entry.U32();
        section.RawOffset = entry.U32();
    }
}

const TPeSection& TPeImage::SectionOf(std::uint64_t rva) const {
    for (const TPeSection& section : sections_) {
        if (rva >= section.VirtualAddress &&
            rva - section.VirtualAddress < SectionExtent(section)) {
            return section;
        }
    }
    throw TReadError("Address " + std::to_string(rva) + " lies in no section");
}

ByteView TPeImage::At(std::uint64_t rva, std::uint64_t size) const {
    const TPeSection& section = SectionOf(rva);
    ByteReader raw(file_);
    raw.Skip(section.RawOffset);
    ByteView present = raw.TakeAtMost(SectionExtent(section));
    return Slice(present, static_cast<std::size_t>(rva - section.VirtualAddress),
                 static_cast<std::size_t>(size));
}
