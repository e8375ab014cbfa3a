#pragma once

#include <cstddef>
#include <cstdint>

#include "icons/ByteReader.h"
#include "icons/readers/PeHeaders.h"

// The parts of a 16-bit Windows executable (New Executable) that the NE reader uses, one
// struct per header, named as in the format (IMAGE_OS2_HEADER, TYPEINFO, NAMEINFO). It
// starts with the same MS-DOS header as a PE image (TDosHeader) and keeps its icon groups in
// the same layout (TIconGroupHeader).

// IMAGE_OS2_HEADER. Of the MS-DOS header's pointer to it only the low 16 bits count.
struct TNeHeader {
    static constexpr std::uint16_t kSignature = 0x454E;  // "NE"
    static constexpr std::size_t kSignatureAt = 0x00;
    static constexpr std::uint32_t kOffsetMask = 0xFFFF;
    // Offset of the resource table, from the start of this header.
    static constexpr std::size_t kResourceTableAt = 0x24;  // ne_rsrctab
};

// The resource table: an alignment shift (offsets and lengths are counted in units of
// 2^shift bytes), then the type records, each followed by its resource records, up to a
// zero type id, then the resource names.
struct TNeResourceTable {
    static constexpr std::size_t kAlignmentShiftAt = 0;
    static constexpr std::size_t kTypesAt = 2;
    static constexpr std::size_t kEndOfTypesSize = 2;  // the zero type id
    // A type or resource id with this bit set is a number; otherwise it is the offset, from
    // the start of the table, of a name: a length byte, then that many bytes.
    static constexpr std::uint16_t kNumericId = 0x8000;
    static constexpr std::uint16_t kIconImage = kNumericId | 3;   // RT_ICON
    static constexpr std::uint16_t kIconGroup = kNumericId | 14;  // RT_GROUP_ICON
};

// TYPEINFO: the resources of one type. The table ends with a type id of 0, without the
// other fields, so the id is read first.
struct TNeTypeInfo {
    static constexpr std::size_t kSize = 8;
    static constexpr std::size_t kTypeIdAt = 0;
    static constexpr std::size_t kResourceCountAt = 2;
};

// NAMEINFO: one resource. Offset and length are in alignment units.
struct TNeNameInfo {
    static constexpr std::size_t kSize = 12;
    static constexpr std::size_t kOffsetAt = 0;
    static constexpr std::size_t kLengthAt = 2;
    static constexpr std::size_t kIdAt = 6;

    std::uint16_t Offset = 0;
    std::uint16_t Length = 0;
    std::uint16_t Id = 0;

    static TNeNameInfo Read(ByteView record);
};
