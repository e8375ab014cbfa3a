#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "icons/ByteSource.h"

// A file opened read-only whose ranges are read on demand with positioned reads into small
// buffers, never mapped: a file cut short meanwhile gives a read error, not a fault, and no
// mapping has to be torn down on every thread. A range is read with some bytes after it, so
// neighbouring headers and directory entries come in one read. Every range read stays in
// memory until the file is let go; the small ones share larger blocks, so that listing a
// library of thousands of images costs a few allocations, not one per image.
class TFileBytes : public TByteSource {
public:
    // Throws TReadError when the file cannot be opened or is not a regular file.
    explicit TFileBytes(const std::string& path);
    ~TFileBytes() override;
    TFileBytes(const TFileBytes&) = delete;
    TFileBytes& operator=(const TFileBytes&) = delete;

    std::uint64_t Size() const override { return size_; }

private:
    ByteView Fetch(std::uint64_t offset, std::size_t length) override;
    // The bytes from a range read before, or empty when the range read last at or before
    // `offset` does not hold them all.
    ByteView FromChunks(std::uint64_t offset, std::size_t length) const;
    // Room for `length` more bytes at the end of the newest block, which a new block gives
    // when the newest one is full.
    std::uint8_t* Room(std::size_t length);

    std::string path_;
    int fd_ = -1;
    std::uint64_t size_ = 0;
    std::map<std::uint64_t, ByteView> chunks_;             // the ranges read, by offset
    std::vector<std::unique_ptr<std::uint8_t[]>> blocks_;  // what the chunks were read into
    std::uint8_t* blockEnd_ = nullptr;                     // the end of the newest block
    std::size_t blockFree_ = 0;                            // unused bytes before blockEnd_
};
