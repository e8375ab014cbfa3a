#include "writers/GifLZWEncoder.h"

#include <algorithm>

TLZWEncoder::TLZWEncoder(int MinCodeSize)
    : minCodeSize_(MinCodeSize), clearCode_(1 << MinCodeSize), endCode_((1 << MinCodeSize) + 1) {}

void TLZWEncoder::ClearTable() {
    std::fill(table_.begin(), table_.end(), TEntry());
    nextCode_ = clearCode_ + 2;
    codeBits_ = minCodeSize_ + 1;
}

// The slot holding key, or the free slot where it belongs (open addressing, linear probing;
// the table is never more than half full).
std::size_t TLZWEncoder::SlotOf(std::int32_t key) const {
    std::size_t slot = (static_cast<std::uint32_t>(key) * 2654435761u >> 19) & (kTableSize - 1);
    while (table_[slot].Key != -1 && table_[slot].Key != key) slot = (slot + 1) & (kTableSize - 1);
    return slot;
}

// Appends a code at the current width, then widens the codes once the next free code no
// longer fits.
void TLZWEncoder::WriteCode(int code) {
    pending_ |= static_cast<std::uint32_t>(code) << pendingBits_;
    pendingBits_ += codeBits_;
    while (pendingBits_ >= 8) {
        out_.push_back(static_cast<std::uint8_t>(pending_));
        pending_ >>= 8;
        pendingBits_ -= 8;
    }
    if (nextCode_ > (1 << codeBits_) - 1 && codeBits_ < kMaxCodeBits) ++codeBits_;
}

void TLZWEncoder::Flush() {
    if (pendingBits_ > 0) out_.push_back(static_cast<std::uint8_t>(pending_));
    pending_ = 0;
    pendingBits_ = 0;
}

ByteString TLZWEncoder::Encode(ByteView Pixels) {
    out_.clear();
    ClearTable();
    WriteCode(clearCode_);
    if (!Pixels.empty()) {
        int prefix = Pixels[0];
        for (std::size_t i = 1; i < Pixels.size(); ++i) {
            const std::uint8_t pixel = Pixels[i];
            const std::int32_t key = prefix * 256 + pixel;
            const std::size_t slot = SlotOf(key);
            if (table_[slot].Key == key) {
                prefix = table_[slot].Code;
                continue;
            }
            WriteCode(prefix);
            if (nextCode_ > kLastTableCode) {
                WriteCode(clearCode_);
                ClearTable();
            } else {
                table_[slot] = {key, static_cast<std::int16_t>(nextCode_++)};
            }
            prefix = pixel;
        }
        WriteCode(prefix);
    }
    WriteCode(endCode_);
    Flush();
    return std::move(out_);
}
