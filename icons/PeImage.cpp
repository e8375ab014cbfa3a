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

std::optional<TPeImage> TPeImage::Open(TByteSource& file) {
    TPeImage image(file);
    try {
        image.ReadHeaders();
    } catch (const TReadError&) {
        return std::nullopt;  // truncated or inconsistent headers: not an image
    }
    return image;
}

void TPeImage::ReadHeaders() {
    TDosHeader dos = TDosHeader::Read(file_->Read(0, TDosHeader::kNewHeaderAt + 4));
    if (dos.Magic != TDosHeader::kMagic) throw TReadError("No MZ header");
    std::size_t pe = dos.NewHeaderOffset;
    if (ReadU32At(file_->Read(pe, kPeSignatureSize), 0) != kPeSignature)
        throw TReadError("No PE signature");

    std::size_t fileHeaderAt = pe + kPeSignatureSize;
    TPeFileHeader header = TPeFileHeader::Read(file_->Read(fileHeaderAt, TPeFileHeader::kSize));
    std::size_t optionalAt = fileHeaderAt + TPeFileHeader::kSize;
    TPeOptionalHeader optional =
        TPeOptionalHeader::Read(file_->Read(optionalAt, header.SizeOfOptionalHeader));
    const std::vector<TPeDataDirectory>& directories = optional.DataDirectories;
    if (directories.size() > TPeDataDirectory::kResourceIndex) {
        std::uint32_t rva = directories[TPeDataDirectory::kResourceIndex].VirtualAddress;
        if (rva != 0) resourceRva_ = rva;
    }
    ReadSections(optionalAt + header.SizeOfOptionalHeader, header.NumberOfSections);
}

void TPeImage::ReadSections(std::size_t tableOffset, std::uint16_t count) {
    ByteReader table(file_->Read(tableOffset, TPeSectionHeader::kSize * count));
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
    throw TReadError("Address " + std::to_string(rva) + " lies in no section");
}

ByteView TPeImage::At(std::uint64_t rva, std::uint64_t size, std::size_t atMost) const {
    const TPeSectionHeader& section = SectionOf(rva);
    std::uint64_t fileSize = file_->Size();
    CheckRange(fileSize, section.PointerToRawData, 0);  // the section starts within the file
    std::uint64_t present =
        std::min<std::uint64_t>(SectionExtent(section), fileSize - section.PointerToRawData);
    std::uint64_t offset = rva - section.VirtualAddress;
    CheckRange(present, offset, size);
    return file_->Read(section.PointerToRawData + offset,
                       static_cast<std::size_t>(std::min<std::uint64_t>(size, atMost)));
}
