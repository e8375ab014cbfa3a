#include "icons/readers/MsiSignature.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array<std::uint8_t, 8> kCompoundSignature = {0xD0, 0xCF, 0x11, 0xE0,
                                                            0xA1, 0xB1, 0x1A, 0xE1};
// {000C1084-0000-0000-C000-000000000046} as the directory entry stores it.
constexpr std::array<std::uint8_t, 16> kMsiClassId = {
    0x84, 0x10, 0x0C, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
constexpr std::size_t kHeaderSize = 0x200;
constexpr std::size_t kSectorShiftAt = 0x1E;
constexpr std::size_t kFirstDirectorySectorAt = 0x30;
constexpr std::size_t kClassIdAt = 0x50;  // within a directory entry

}  // namespace

bool IsMsiFile(TByteSource& File) {
    try {
        if (File.Size() < kHeaderSize) return false;
        ByteView header = File.Read(0, kHeaderSize, "the compound file header");
        if (!std::equal(kCompoundSignature.begin(), kCompoundSignature.end(), header.begin()))
            return false;
        std::uint16_t shift = ReadU16At(header, kSectorShiftAt);
        if (shift != 9 && shift != 12) return false;  // 512 or 4096-byte sectors
        // Sector n starts after the header, which takes the room of one sector.
        std::uint64_t sector = ReadU32At(header, kFirstDirectorySectorAt);
        std::uint64_t at = ((sector + 1) << shift) + kClassIdAt;
        if (at + kMsiClassId.size() > File.Size()) return false;
        ByteView classId = File.Read(at, kMsiClassId.size(), "the root entry");
        return std::equal(kMsiClassId.begin(), kMsiClassId.end(), classId.begin());
    } catch (const TReadError&) {
        return false;
    }
}
