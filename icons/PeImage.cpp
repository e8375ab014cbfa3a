#include "icons/PeImage.h"

#include <algorithm>

namespace {

// Address range a section occupies once loaded. A virtual size of 0 means the raw size;
// bytes past the raw data would be zero-filled by a loader and are not in the file, so
// resources must lie within both sizes.
std::uint32_t SectionExtent(const TPeSectionHeader& section) {
    if (section.VirtualSize == 0) return section.SizeOfRawData;
    return std::min(section.VirtualSize, section.SizeOfRawData);
}

}  // namespace

std::optional<TPeImage> TPeImage::Open(ByteView file) {
    TPeImage image(file);
    if (!image.HasSignature()) return std::nullopt;
    image.ReadHeaders();
    return image;
}

bool TPeImage::HasSignature() const {
    if (file_.size() < TDosHeader::kNewHeaderAt + 4) return false;
    TDosHeader dos = TDosHeader::Read(file_);
    std::size_t pe = dos.NewHeaderOffset;
    return dos.Magic == TDosHeader::kMagic && pe <= file_.size() - kPeSignatureSize &&
           ReadU32At(file_, pe) == kPeSignature;
}

void TPeImage::ReadHeaders() {
    std::size_t fileHeaderAt = TDosHeader::Read(file_).NewHeaderOffset + kPeSignatureSize;
    constexpr std::string_view kHeaders = "the PE headers";
    TPeFileHeader header =
        TPeFileHeader::Read(Slice(file_, fileHeaderAt, TPeFileHeader::kSize, kHeaders));
    std::size_t optionalAt = fileHeaderAt + TPeFileHeader::kSize;
    TPeOptionalHeader optional =
        TPeOptionalHeader::Read(Slice(file_, optionalAt, header.SizeOfOptionalHeader, kHeaders));
    const std::vector<TPeDataDirectory>& directories = optional.DataDirectories;
    if (directories.size() > TPeDataDirectory::kResourceIndex) {
        std::uint32_t rva = directories[TPeDataDirectory::kResourceIndex].VirtualAddress;
        if (rva != 0) resourceRva_ = rva;
    }
    ReadSections(optionalAt + header.SizeOfOptionalHeader, header.NumberOfSections);
}

void TPeImage::ReadSections(std::size_t tableOffset, std::uint16_t count) {
    ByteReader table(
        Slice(file_, tableOffset, TPeSectionHeader::kSize * count, "the section table"));
    sections_.reserve(count);
    for (std::uint16_t i = 0; i < count; ++i) {
        sections_.push_back(TPeSectionHeader::Read(table.Take(TPeSectionHeader::kSize)));
    }
}

const TPeSectionHeader& TPeImage::SectionOf(std::uint64_t rva) const {
    for (const TPeSectionHeader& section : sections_) {
        if (rva >= section.VirtualAddress &&
            rva - section.VirtualAddress < SectionExtent(section)) {
            return section;
        }
    }
    throw TReadError("the file has no section holding address " + std::to_string(rva));
}

// The section's data as far as the file holds it.
ByteView TPeImage::SectionData(const TPeSectionHeader& section) const {
    if (section.PointerToRawData > file_.size()) return {};
    ByteView raw = file_.subspan(section.PointerToRawData);
    return raw.first(std::min<std::size_t>(raw.size(), SectionExtent(section)));
}

ByteView TPeImage::At(std::uint64_t rva, std::uint64_t size, std::string_view what) const {
    const TPeSectionHeader& section = SectionOf(rva);
    return Slice(SectionData(section), static_cast<std::size_t>(rva - section.VirtualAddress),
                 static_cast<std::size_t>(size), what);
}

ByteView TPeImage::AtMost(std::uint64_t rva, std::uint64_t size) const {
    const TPeSectionHeader& section = SectionOf(rva);
    ByteView present = SectionData(section);
    auto offset = static_cast<std::size_t>(rva - section.VirtualAddress);
    if (offset >= present.size()) return {};
    return present.subspan(offset, std::min<std::uint64_t>(size, present.size() - offset));
}
