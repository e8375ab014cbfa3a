#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "icons/FileContent.h"
#include "icons/MappedFile.h"

namespace {

// Closes the descriptor when the constructor is done with it; the mapping outlives it.
struct TDescriptor {
    int fd;
    ~TDescriptor() {
        if (fd >= 0) ::close(fd);
    }
};

}  // namespace

TMappedFile::TMappedFile(const std::string& path) {
    // Non-blocking, so that a named pipe given as a file does not wait for a writer.
    TDescriptor file{::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)};
    if (file.fd < 0) throw TReadError("Cannot open file \"" + path + "\"");
    struct stat info {};
    if (::fstat(file.fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        throw TReadError("\"" + path + "\" is not a readable file");
    }
    auto size = static_cast<std::size_t>(info.st_size);
    if (size == 0) return;
    void* mapping = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, file.fd, 0);
    if (mapping == MAP_FAILED) {
        copy_ = ReadFileContent(path);
        view_ = copy_;
        return;
    }
    mapping_ = mapping;
    view_ = ByteView(static_cast<const std::uint8_t*>(mapping), size);
}

TMappedFile::~TMappedFile() {
    if (mapping_) ::munmap(mapping_, view_.size());
}
