#pragma once

#include <cstdint>
#include <string_view>

#include "icons/ByteReader.h"

// The bytes of a file or of memory, served by range, so that a reader fetches only what it
// parses: listing a large library costs its headers and directories, not what the file weighs.
class TByteSource {
public:
    virtual ~TByteSource() = default;

    virtual std::uint64_t Size() const = 0;

    // The `length` bytes at `offset`, valid as long as the source. Throws TReadError when they
    // are not all there, naming `what` as CheckRange does.
    ByteView Read(std::uint64_t offset, std::size_t length, std::string_view what = "the data");
    // Every byte.
    ByteView All() { return Read(0, static_cast<std::size_t>(Size())); }
    // Up to `length` bytes at `offset`: fewer, or none, where the source ends first.
    ByteView ReadAtMost(std::uint64_t offset, std::uint64_t length);

protected:
    // The bytes of a range that lies within Size().
    virtual ByteView Fetch(std::uint64_t offset, std::size_t length) = 0;
};

// A source over bytes already in memory; they must outlive it.
class TMemoryBytes : public TByteSource {
public:
    explicit TMemoryBytes(ByteView bytes) : bytes_(bytes) {}
    std::uint64_t Size() const override { return bytes_.size(); }

private:
    ByteView Fetch(std::uint64_t offset, std::size_t length) override {
        return bytes_.subspan(static_cast<std::size_t>(offset), length);
    }

    ByteView bytes_;
};
