#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "icons/ByteReader.h"

// The headers of a Windows executable that the readers use, one struct per header: its size,
// its magic numbers, the offset of each field read and the fields' values. The names follow
// the format's own (IMAGE_DOS_HEADER, IMAGE_FILE_HEADER and so on); fields nothing reads are
// left out. Each Read takes the header's bytes and reads every field by its offset, so all
// bounds are checked by the byte reader.

// The MS-DOS header every executable starts with, 32-bit (PE) and 16-bit (NE) alike.
struct TDosHeader {
    static constexpr std::uint16_t kMagic = 0x5A4D;  // "MZ"
    static constexpr std::size_t kMagicAt = 0x00;
    static constexpr std::size_t kNewHeaderAt = 0x3C;  // e_lfanew

    std::uint16_t Magic = 0;
    std::uint32_t NewHeaderOffset = 0;  // file offset of the PE or NE header

    static TDosHeader Read(ByteView file);
};

// "PE\0\0", the four bytes before the file header.
constexpr std::uint32_t kPeSignature = 0x00004550;
constexpr std::size_t kPeSignatureSize = 4;

// IMAGE_FILE_HEADER. The machine is not read: a data file of any architecture is readable.
struct TPeFileHeader {
    static constexpr std::size_t kSize = 20;
    static constexpr std::size_t kNumberOfSectionsAt = 2;
    static constexpr std::size_t kSizeOfOptionalHeaderAt = 16;

    std::uint16_t NumberOfSections = 0;
    std::uint16_t SizeOfOptionalHeader = 0;

    static TPeFileHeader Read(ByteView header);
};

// IMAGE_DATA_DIRECTORY: where one of the image's tables lies.
struct TPeDataDirectory {
    static constexpr std::size_t kSize = 8;
    static constexpr std::size_t kVirtualAddressAt = 0;
    static constexpr std::size_t kResourceIndex = 2;  // IMAGE_DIRECTORY_ENTRY_RESOURCE

    std::uint32_t VirtualAddress = 0;  // 0 when the image has no such table

    static TPeDataDirectory Read(ByteView directory);
};

// IMAGE_OPTIONAL_HEADER32 or IMAGE_OPTIONAL_HEADER64, told apart by the magic. PE32+ has no
// BaseOfData and keeps the image base and the four stack and heap sizes in 8 bytes each, so
// its directory count lies 16 bytes further on; the data directories follow the count.
struct TPeOptionalHeader {
    static constexpr std::uint16_t kPe32Magic = 0x10B;
    static constexpr std::uint16_t kPe32PlusMagic = 0x20B;
    static constexpr std::size_t kMagicAt = 0;
    static constexpr std::size_t kPe32NumberOfRvaAndSizesAt = 92;
    static constexpr std::size_t kPe32PlusNumberOfRvaAndSizesAt = 108;

    std::uint16_t Magic = 0;
    std::uint32_t NumberOfRvaAndSizes = 0;
    // The directories the count announces, as far as the header holds them.
    std::vector<TPeDataDirectory> DataDirectories;

    // Throws when the magic is neither PE32 nor PE32+.
    static TPeOptionalHeader Read(ByteView header);
};

// IMAGE_SECTION_HEADER: where a range of addresses lies in the file. The name is not read.
struct TPeSectionHeader {
    static constexpr std::size_t kSize = 40;
    static constexpr std::size_t kVirtualSizeAt = 8;
    static constexpr std::size_t kVirtualAddressAt = 12;
    static constexpr std::size_t kSizeOfRawDataAt = 16;
    static constexpr std::size_t kPointerToRawDataAt = 20;

    std::uint32_t VirtualSize = 0;
    std::uint32_t VirtualAddress = 0;
    std::uint32_t SizeOfRawData = 0;
    std::uint32_t PointerToRawData = 0;

    static TPeSectionHeader Read(ByteView header);
};

// IMAGE_RESOURCE_DIRECTORY: one level of the resource tree, followed by its entries, those
// with string names first.
struct TPeResourceDirectory {
    static constexpr std::size_t kSize = 16;
    static constexpr std::size_t kNumberOfNamedEntriesAt = 12;
    static constexpr std::size_t kNumberOfIdEntriesAt = 14;

    std::uint16_t NumberOfNamedEntries = 0;
    std::uint16_t NumberOfIdEntries = 0;

    static TPeResourceDirectory Read(ByteView header);
};

// IMAGE_RESOURCE_DIRECTORY_ENTRY. Offsets are from the start of the resource directory.
struct TPeResourceDirectoryEntry {
    static constexpr std::size_t kSize = 8;
    static constexpr std::size_t kNameAt = 0;
    static constexpr std::size_t kOffsetToDataAt = 4;
    // In Name: the rest is the offset of a string name rather than a numeric id.
    static constexpr std::uint32_t kNameIsString = 0x80000000u;
    // In OffsetToData: the rest is the offset of a subdirectory rather than a data entry.
    static constexpr std::uint32_t kDataIsDirectory = 0x80000000u;

    std::uint32_t Name = 0;
    std::uint32_t OffsetToData = 0;

    static TPeResourceDirectoryEntry Read(ByteView entry);
};

// IMAGE_RESOURCE_DIR_STRING_U: a count of UTF-16 units, then the units.
struct TPeResourceString {
    static constexpr std::size_t kLengthSize = 2;
    static constexpr std::size_t kUnitSize = 2;
};

// IMAGE_RESOURCE_DATA_ENTRY: where a resource's bytes lie, as a relative address.
struct TPeResourceDataEntry {
    static constexpr std::size_t kSize = 16;
    static constexpr std::size_t kOffsetToDataAt = 0;
    static constexpr std::size_t kSizeAt = 4;

    std::uint32_t OffsetToData = 0;
    std::uint32_t Size = 0;

    static TPeResourceDataEntry Read(ByteView entry);
};

// The header of an icon group resource, in PE and NE files alike: reserved and type words,
// then the count of the entries that follow it, kEntrySize bytes each (an .ico directory
// entry with a 16-bit resource id in place of the file offset).
struct TIconGroupHeader {
    static constexpr std::size_t kCountAt = 4;
    static constexpr std::size_t kSize = 6;
    static constexpr std::size_t kEntrySize = 14;
};
