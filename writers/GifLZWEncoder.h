#pragma once

#include <cstdint>
#include <vector>

#include "icons/ByteReader.h"

// The variable-width LZW compression of GIF image data. Codes start one bit wider than the
// minimum code size and grow to at most 12 bits; a clear code opens the stream and is written
// again whenever the string table is full. The codes are packed least significant bit first.
class TLZWEncoder {
public:
    static constexpr int kMaxCodeBits = 12;
    static constexpr int kLastTableCode = 4094;

    // MinCodeSize: 2 to 8; every pixel must be below 2^MinCodeSize.
    explicit TLZWEncoder(int MinCodeSize);

    // The packed codes of the pixels (not yet split into sub-blocks).
    ByteString Encode(ByteView Pixels);

private:
    static constexpr std::size_t kTableSize = 8192;  // a power of two, twice the codes

    struct TEntry {
        std::int32_t Key = -1;  // prefix code * 256 + pixel; -1 marks a free slot
        std::int16_t Code = 0;
    };

    void ClearTable();
    std::size_t SlotOf(std::int32_t key) const;
    void WriteCode(int code);
    void Flush();

    int minCodeSize_;
    int clearCode_;
    int endCode_;
    int nextCode_ = 0;
    int codeBits_ = 0;
    std::uint32_t pending_ = 0;
    int pendingBits_ = 0;
    ByteString out_;
    std::vector<TEntry> table_ = std::vector<TEntry>(kTableSize);
};
