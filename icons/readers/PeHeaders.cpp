#include "icons/readers/PeHeaders.h"

TDosHeader TDosHeader::Read(ByteView file) {
    TDosHeader header;
    header.Magic = ReadU16At(file, kMagicAt);
    header.NewHeaderOffset = ReadU32At(file, kNewHeaderAt);
    return header;
}

TPeFileHeader TPeFileHeader::Read(ByteView header) {
    TPeFileHeader read;
    read.NumberOfSections = ReadU16At(header, kNumberOfSectionsAt);
    read.SizeOfOptionalHeader = ReadU16At(header, kSizeOfOptionalHeaderAt);
    return read;
}

TPeDataDirectory TPeDataDirectory::Read(ByteView directory) {
    TPeDataDirectory read;
    read.VirtualAddress = ReadU32At(directory, kVirtualAddressAt);
    return read;
}

TPeOptionalHeader TPeOptionalHeader::Read(ByteView header) {
    TPeOptionalHeader read;
    read.Magic = ReadU16At(header, kMagicAt);
    if (read.Magic != kPe32Magic && read.Magic != kPe32PlusMagic) {
        throw TReadError("No optional header");
    }
    std::size_t countAt =
        read.Magic == kPe32Magic ? kPe32NumberOfRvaAndSizesAt : kPe32PlusNumberOfRvaAndSizesAt;
    read.NumberOfRvaAndSizes = ReadU32At(header, countAt);
    ByteReader directories(header);
    directories.Skip(countAt + sizeof(read.NumberOfRvaAndSizes));
    while (read.DataDirectories.size() < read.NumberOfRvaAndSizes &&
           directories.Has(TPeDataDirectory::kSize)) {
        read.DataDirectories.push_back(
            TPeDataDirectory::Read(directories.Take(TPeDataDirectory::kSize)));
    }
    return read;
}

TPeSectionHeader TPeSectionHeader::Read(ByteView header) {
    TPeSectionHeader read;
    read.VirtualSize = ReadU32At(header, kVirtualSizeAt);
    read.VirtualAddress = ReadU32At(header, kVirtualAddressAt);
    read.SizeOfRawData = ReadU32At(header, kSizeOfRawDataAt);
    read.PointerToRawData = ReadU32At(header, kPointerToRawDataAt);
    return read;
}

TPeResourceDirectory TPeResourceDirectory::Read(ByteView header) {
    TPeResourceDirectory read;
    read.NumberOfNamedEntries = ReadU16At(header, kNumberOfNamedEntriesAt);
    read.NumberOfIdEntries = ReadU16At(header, kNumberOfIdEntriesAt);
    return read;
}

TPeResourceDirectoryEntry TPeResourceDirectoryEntry::Read(ByteView entry) {
    TPeResourceDirectoryEntry read;
    read.Name = ReadU32At(entry, kNameAt);
    read.OffsetToData = ReadU32At(entry, kOffsetToDataAt);
    return read;
}

TPeResourceDataEntry TPeResourceDataEntry::Read(ByteView entry) {
    TPeResourceDataEntry read;
    read.OffsetToData = ReadU32At(entry, kOffsetToDataAt);
    read.Size = ReadU32At(entry, kSizeAt);
    return read;
}
