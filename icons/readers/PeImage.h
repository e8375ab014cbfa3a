#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "icons/ByteSource.h"
#include "icons/readers/PeHeaders.h"

// A 32-bit (PE32) or 64-bit (PE32+) Windows image opened as a data file: its section table
// and the address of its resource directory, read without loading or running anything. Only
// the ranges asked for are read from the source, which must outlive the image.
class TPeImage {
public:
    // Parses the DOS header, the "PE\0\0" signature, the file and optional headers and the
    // section table. Nothing when the data has no PE signature (a 16-bit executable, an icon
    // library, anything else); throws TReadError when the headers after it are cut short or
    // make no sense.
    static std::optional<TPeImage> Open(TByteSource& file);

    // Relative address of the resource directory, nothing when the image has none.
    std::optional<std::uint32_t> ResourceDirectory() const { return resourceRva_; }

    // The `size` bytes at relative address `rva`. They must lie within the file data of one
    // section; throws TReadError otherwise, naming `what` when the file ends inside them.
    ByteView At(std::uint64_t rva, std::uint64_t size,
                std::string_view what = "the resource directory") const;
    // How many of those bytes the file holds: fewer, or none, when the file (or the section's
    // data) ends inside them. Throws TReadError when `rva` lies in no section.
    std::uint64_t Held(std::uint64_t rva, std::uint64_t size) const;
    // The part of those bytes that the file holds, read up to `atMost` bytes.
    ByteView AtMost(std::uint64_t rva, std::uint64_t size, std::size_t atMost = SIZE_MAX) const;

    std::size_t FileSize() const { return static_cast<std::size_t>(file_->Size()); }

private:
    explicit TPeImage(TByteSource& file) : file_(&file) {}
    bool HasSignature() const;
    void ReadHeaders();
    // How many bytes of the section's data the file holds.
    std::uint64_t SectionHeld(const TPeSectionHeader& section) const;
    void ReadSections(std::size_t tableOffset, std::uint16_t count);
    const TPeSectionHeader& SectionOf(std::uint64_t rva) const;

    TByteSource* file_;
    std::vector<TPeSectionHeader> sections_;
    std::optional<std::uint32_t> resourceRva_;
};
