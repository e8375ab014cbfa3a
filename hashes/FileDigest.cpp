#include "hashes/FileDigest.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>

#include "hashes/Digest.h"
#include "icons/PathAt.h"

namespace {

// Closes the descriptor when the read is done.
struct TOpenFile {
    int Descriptor;
    ~TOpenFile() {
        if (Descriptor >= 0) ::close(Descriptor);
    }
};

}  // namespace

std::optional<std::string> FileSha256(const std::string& Path) {
    // Non-blocking, so that a named pipe does not wait for a writer; only regular files are
    // read, since a pipe or a device such as /dev/zero may never end.
    TOpenFile file{OpenPath(Path, O_RDONLY | O_CLOEXEC | O_NONBLOCK)};
    if (file.Descriptor < 0) return std::nullopt;
    struct stat info {};
    if (::fstat(file.Descriptor, &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    TDigest digest(TDigest::TKind::Sha256);
    std::array<std::uint8_t, 1 << 16> block;
    for (;;) {
        ssize_t got = ::read(file.Descriptor, block.data(), block.size());
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return std::nullopt;
        if (got == 0) return digest.FinalHex();
        digest.Update(ByteView(block.data(), static_cast<std::size_t>(got)));
    }
}
