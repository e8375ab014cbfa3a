#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "icons/FileBytes.h"

namespace {

// Bytes read at least at once: a page or two of headers, directory entries or image heads.
constexpr std::size_t kReadAhead = 8192;

}  // namespace

TFileBytes::TFileBytes(const std::string& path) : path_(path) {
    // Non-blocking, so that a named pipe given as a file does not wait for a writer.
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
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

ByteView TFileBytes::Fetch(std::uint64_t offset, std::size_t length) {
    // The latest chunks are the likeliest to hold the range: readers mostly move forward.
    for (auto chunk = chunks_.rbegin(); chunk != chunks_.rend(); ++chunk) {
        if (offset >= chunk->Offset && offset - chunk->Offset <= chunk->Bytes.size() &&
            length <= chunk->Bytes.size() - (offset - chunk->Offset)) {
            return ByteView(chunk->Bytes).subspan(offset - chunk->Offset, length);
        }
    }
    std::size_t wanted = static_cast<std::size_t>(
        std::min<std::uint64_t>(std::max(length, kReadAhead), size_ - offset));
    ByteString bytes(wanted);
    std::size_t got = 0;
    while (got < wanted) {
        ssize_t n =
            ::pread(fd_, bytes.data() + got, wanted - got, static_cast<off_t>(offset + got));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        got += static_cast<std::size_t>(n);
    }
    // A file cut short since it was opened ends where it now ends.
    if (got < length) throw TReadError("Cannot read file \"" + path_ + "\"");
    bytes.resize(got);
    chunks_.push_back({offset, std::move(bytes)});
    return ByteView(chunks_.back().Bytes).first(length);
}
