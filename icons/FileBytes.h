#pragma once

#include <string>
#include <vector>

#include "icons/ByteSource.h"

// A file opened read-only whose ranges are read on demand with positioned reads into small
// buffers, never mapped: a file cut short meanwhile gives a read error, not a fault, and no
// mapping has to be torn down on every thread. A range is read with some bytes after it, so
// neighbouring headers and directory entries come in one read. Every range read stays in
// memory until the file is let go.
class TFileBytes : public TByteSource {
public:
    // Throws TReadError when the file cannot be opened or is not a regular file.
    explicit TFileBytes(const std::string& path);
    ~TFileBytes() override;
    TFileBytes(const TFileBytes&) = delete;
    TFileBytes& operator=(const TFileBytes&) = delete;

    std::uint64_t Size() const override { return size_; }

private:
    struct TChunk {
        std::uint64_t Offset;
        ByteString Bytes;
    };

    ByteView Fetch(std::uint64_t offset, std::size_t length) override;

    std::string path_;
    int fd_ = -1;
    std::uint64_t size_ = 0;
    std::vector<TChunk> chunks_;
};
