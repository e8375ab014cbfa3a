#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <iterator>

#include "icons/FileBytes.h"
#include "icons/PathAt.h"

namespace {

// Bytes read at least at once: a run of headers or directory entries, or an image head.
constexpr std::size_t kReadAhead = 1024;
// The memory small ranges are read into, a block at a time; small enough to stay in the heap,
// which reuses it for the next file instead of mapping fresh pages.
constexpr std::size_t kBlockSize = 64 * 1024;

}  // namespace

TFileBytes::TFileBytes(const std::string& path) : path_(path) {
    // Non-blocking, so that a named pipe given as a file does not wait for a writer.
    fd_ = OpenPath(path, O_RDONLY | O_NONBLOCK);
    if (fd_ < 0) throw TReadError("Cannot open file \"" + path + "\"");
    struct stat info {};
    if (::fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd_);
        throw TReadError("\"" + path + "\" is not a readable file");
    }
    size_ = static_cast<std::uint64_t>(info.st_size);
}

TFileBytes::~TFileBytes() {
    ::close(fd_);
}

ByteView TFileBytes::FromChunks(std::uint64_t offset, std::size_t length) const {
    auto next = chunks_.upper_bound(offset);
    if (next == chunks_.begin()) return {};
    const auto& [start, bytes] = *std::prev(next);
    if (offset - start > bytes.size() || length > bytes.size() - (offset - start)) return {};
    return bytes.subspan(offset - start, length);
}

std::uint8_t* TFileBytes::Room(std::size_t length) {
    if (length > blockFree_) {
        std::size_t size = std::max(length, kBlockSize);
        // Not zeroed: every byte handed out is read from the file first.
        blocks_.push_back(std::make_unique_for_overwrite<std::uint8_t[]>(size));
        blockEnd_ = blocks_.back().get() + size;
        blockFree_ = size;
    }
    return blockEnd_ - blockFree_;
}

ByteView TFileBytes::Fetch(std::uint64_t offset, std::size_t length) {
    if (ByteView held = FromChunks(offset, length); !held.empty()) return held;
    std::size_t wanted = static_cast<std::size_t>(
        std::min<std::uint64_t>(std::max(length, kReadAhead), size_ - offset));
    std::uint8_t* bytes = Room(wanted);
    std::size_t got = 0;
    while (got < wanted) {
        ssize_t n = ::pread(fd_, bytes + got, wanted - got, static_cast<off_t>(offset + got));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        got += static_cast<std::size_t>(n);
    }
    // A file cut short since it was opened ends where it now ends.
    if (got < length) throw TReadError("Cannot read file \"" + path_ + "\"");
    blockFree_ -= got;
    ByteView read(bytes, got);
    chunks_.insert_or_assign(offset, read);
    return read.first(length);
}
