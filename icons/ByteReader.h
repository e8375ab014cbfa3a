#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

// Raw file content. Every multi-byte value in the formats we read is little-endian.
using ByteString = std::vector<std::uint8_t>;
using ByteView = std::span<const std::uint8_t>;

// Raised by every parser when the data is too short or otherwise unusable.
class TReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Throws when `length` bytes starting at `offset` do not all lie within `size` bytes.
void CheckRange(std::uint64_t size, std::uint64_t offset, std::uint64_t length);

// Returns `length` bytes of `data` starting at `offset`, or throws when they are not all there.
// This, CheckRange and ByteReader are the only places that check bounds.
ByteView Slice(ByteView data, std::size_t offset, std::size_t length);

// Consumes a byte view from the front.
class ByteReader {
public:
    explicit ByteReader(ByteView data) : data_(data) {}

    std::uint8_t U8();
    std::uint16_t U16();
    std::uint32_t U32();

    // Removes and returns exactly `count` bytes; throws when fewer remain.
    ByteView Take(std::size_t count);
    // Removes and returns up to `count` bytes.
    ByteView TakeAtMost(std::size_t count);
    void Skip(std::size_t count) { Take(count); }

    bool Has(std::size_t count) const { return data_.size() >= count; }
    bool Empty() const { return data_.empty(); }
    ByteView Rest() const { return data_; }

private:
    ByteView data_;
};

// Little-endian values at a fixed position of a view, bounds-checked through Slice.
std::uint16_t ReadU16At(ByteView data, std::size_t offset);
std::uint32_t ReadU32At(ByteView data, std::size_t offset);
