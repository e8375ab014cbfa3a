#include <fcntl.h>
#include <limits.h>
#include <unistd.h>

#include <cerrno>

#include "icons/PathAt.h"

namespace {

// A path split into the folder that holds its last component, opened where the path is too
// long for the system, and that component. A short path stays whole, relative to the working
// folder.
class TPathParent {
public:
    explicit TPathParent(const std::string& path);
    ~TPathParent() {
        if (folder_ >= 0) ::close(folder_);
    }
    TPathParent(const TPathParent&) = delete;
    TPathParent& operator=(const TPathParent&) = delete;

    // AT_FDCWD or the opened folder; -1 with errno set when a folder on the way failed.
    int Folder() const { return folder_; }
    const char* Name() const { return name_.c_str(); }

private:
    // Moves from the folder held to its subfolder `name`; false when it cannot be opened.
    bool Enter(const std::string& name);

    int folder_ = AT_FDCWD;
    std::string name_;
};

TPathParent::TPathParent(const std::string& path) {
    if (path.size() < PATH_MAX) {
        name_ = path;
        return;
    }
    std::size_t start = path.find_first_not_of('/');
    if (start != 0 && !Enter("/")) return;
    if (start == std::string::npos) start = path.size();  // nothing but separators
    for (;;) {
        std::size_t end = path.find('/', start);
        std::size_t next = end == std::string::npos ? end : path.find_first_not_of('/', end);
        // The last component keeps its trailing separators, which ask for a folder.
        if (next == std::string::npos) {
            name_ = path.substr(start);
            return;
        }
        if (!Enter(path.substr(start, end - start))) return;
        start = next;
    }
}

bool TPathParent::Enter(const std::string& name) {
    int folder = ::openat(folder_, name.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    int error = errno;
    if (folder_ >= 0) ::close(folder_);
    folder_ = folder;
    errno = error;
    return folder_ >= 0;
}

}  // namespace

int OpenPath(const std::string& path, int flags) {
    TPathParent parent(path);
    if (parent.Folder() == -1) return -1;
    return ::openat(parent.Folder(), parent.Name(), flags | O_CLOEXEC);
}

int StatPath(const std::string& path, struct stat& info) {
    TPathParent parent(path);
    if (parent.Folder() == -1) return -1;
    return ::fstatat(parent.Folder(), parent.Name(), &info, 0);
}

int AccessPath(const std::string& path, int mode) {
    TPathParent parent(path);
    if (parent.Folder() == -1) return -1;
    return ::faccessat(parent.Folder(), parent.Name(), mode, 0);
}
