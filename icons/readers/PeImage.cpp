#include "icons/readers/PeImage.h"

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

std::optional<TPeImage> TPeImage::Open(TByteSource& file) {
    TPeImage image(file);
    if (!image.HasSignature()) return std::nullopt;
    image.ReadHeaders();
    return image;
}

bool TPeImage::HasSignature() const {
    std::uint64_t size = file_->Size();
    if (size < TDosHeader::kNewHeaderAt + 4) return false;
    TDosHeader dos = TDosHeader::Read(file_->Read(0, TDosHeader::kNewHeaderAt + 4));
    std::size_t pe = dos.NewHeaderOffset;
    return dos.Magic == TDosHeader::kMagic && pe <= size - kPeSignatureSize &&
           ReadU32At(file_->Read(pe, kPeSignatureSize), 0) == kPeSignature;
}

void TPeImage::ReadHeaders() {
    std::size_t fileHeaderAt =
        TDosHeader::Read(file_->Read(0, TDosHeader::kNewHeaderAt + 4)).NewHeaderOffset +
        kPeSignatureSize;
    constexpr std::string_view kHeaders = "the PE headers";
    TPeFileHeader header =
        TPeFileHeader::Read(file_->Read(fileHeaderAt, TPeFileHeader::kSize, kHeaders));
    std::size_t optionalAt = fileHeaderAt + TPeFileHeader::kSize;
    TPeOptionalHeader optional =
        TPeOptionalHeader::Read(file_->Read(optionalAt, header.SizeOfOptionalHeader, kHeaders));
    const std::vector<TPeDataDirectory>& directories = optional.DataDirectories;
    if (directories.size() > TPeDataDirectory::kResourceIndex) {
        std::uint32_t rva = directories[TPeDataDirectory::kResourceIndex].VirtualAddress;
        if (rva != 0) resourceRva_ = rva;
    }
    ReadSections(optionalAt + header.SizeOfOptionalHeader, header.NumberOfSections);
}

void TPeImage::ReadSections(std::size_t tableOffset, std::uint16_t count) {
    ByteReader table(
        file_->Read(tableOffset, TPeSectionHeader::kSize * count, "the section table"));
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

std::uint64_t TPeImage::SectionHeld(const TPeSectionHeader& section) const {
    if (section.PointerToRawData > file_->Size()) return 0;
    return std::min<std::uint64_t>(file_->Size() - section.PointerToRawData,
                                   SectionExtent(section));
}

ByteView TPeImage::At(std::uint64_t rva, std::uint64_t size, std::string_view what) const {
    const TPeSectionHeader& section = SectionOf(rva);
    std::uint64_t offset = rva - section.VirtualAddress;
    CheckRange(SectionHeld(section), offset, size, what);
    return file_->Read(section.PointerToRawData + offset, static_cast<std::size_t>(size));
}

std::uint64_t TPeImage::Held(std::uint64_t rva, std::uint64_t size) const {
    const TPeSectionHeader& section = SectionOf(rva);
    std::uint64_t present = SectionHeld(section);
    std::uint64_t offset = rva - section.VirtualAddress;
    return offset >= present ? 0 : std::min(size, present - offset);
}

ByteView TPeImage::AtMost(std::uint64_t rva, std::uint64_t size, std::size_t atMost) const {
    const TPeSectionHeader& section = SectionOf(rva);
    std::uint64_t length = std::min<std::uint64_t>(Held(rva, size), atMost);
    if (length == 0) return {};
    return file_->Read(section.PointerToRawData + (rva - section.VirtualAddress),
                       static_cast<std::size_t>(length));
}
