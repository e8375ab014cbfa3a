#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// Raw file content. Every multi-byte value in the formats we read is little-endian.
using ByteString = std::vector<std::uint8_t>;
using ByteView = std::span<const std::uint8_t>;

// Raised by every parser when the data is too short or otherwise unusable. The message says
// why in the terms of the file, as a user would check it.
class TReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What ends a view in the reasons below: the file, for views that run to its end.
constexpr std::string_view kFileEnds = "the file";

// The reason given when data ends inside a structure: "the file ends 17 bytes into the icon
// directory", or "the file ends before the image data" when none of it is there.
std::string CutShortReason(std::string_view ends, std::string_view what, std::size_t present);

// Throws when `length` bytes starting at `offset` do not all lie within `size` bytes; the
// reason names the bytes asked for: "the file ends inside the section table".
void CheckRange(std::uint64_t size, std::uint64_t offset, std::uint64_t length,
                std::string_view what = "the data", std::string_view ends = kFileEnds);

// Returns `length` bytes of `data` starting at `offset`, or throws as CheckRange does. These
// and ByteReader are the only places that check bounds.
ByteView Slice(ByteView data, std::size_t offset, std::size_t length,
               std::string_view what = "the data", std::string_view ends = kFileEnds);

// Consumes a byte view from the front. `what` names the structure the view starts with, for
// the reason given when it is cut short; `ends` what ends the view.
class ByteReader {
public:
    explicit ByteReader(ByteView data, std::string what = {}, std::string_view ends = kFileEnds)
        : data_(data), size_(data.size()), what_(std::move(what)), ends_(ends) {}

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
    // The reason given when the view ends before what is read next.
    std::string CutShort() const;

private:
    ByteView data_;
    std::size_t size_;
    std::string what_;
    std::string_view ends_;
};

// Little-endian values at a fixed position of a view, bounds-checked through Slice.
std::uint16_t ReadU16At(ByteView data, std::size_t offset, std::string_view what = "the data");
std::uint32_t ReadU32At(ByteView data, std::size_t offset, std::string_view what = "the data");
