#include "icons/FolderEntries.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <memory>
#include <optional>
#include <system_error>

#include "icons/NameMask.h"
#include "icons/NameOrder.h"
#include "icons/PathAt.h"

namespace fs = std::filesystem;

namespace {

constexpr char kSeparator = static_cast<char>(fs::path::preferred_separator);

// Puts the files' names, then the subfolders, in name order and the folder before each file.
void SortByName(TFolderEntries& entries, const std::string& prefix) {
    std::sort(entries.Files.begin(), entries.Files.end(),
              [](const std::string& a, const std::string& b) { return NameLess(a, b); });
    for (std::string& file : entries.Files) file.insert(0, prefix);
    std::sort(entries.Subfolders.begin(), entries.Subfolders.end(),
              [](const TSubfolder& a, const TSubfolder& b) { return NameLess(a.Name, b.Name); });
}

struct TCloseFolder {
    void operator()(DIR* folder) const { ::closedir(folder); }
};

// What a folder entry is. The listing tells where the file system gives the type, so only
// links (and entries of unknown type) cost a look at their target.
struct TEntryKind {
    bool Folder = false;
    bool File = false;
    bool Link = false;
};

TEntryKind KindOf(int folder, const dirent& entry) {
    if (entry.d_type == DT_DIR) return {true, false, false};
    if (entry.d_type == DT_REG) return {false, true, false};
    struct stat info {};
    if (entry.d_type == DT_UNKNOWN) {
        if (::fstatat(folder, entry.d_name, &info, AT_SYMLINK_NOFOLLOW) != 0) return {};
        if (!S_ISLNK(info.st_mode)) return {S_ISDIR(info.st_mode), S_ISREG(info.st_mode), false};
    } else if (entry.d_type != DT_LNK) {
        return {};  // named pipes, devices and sockets
    }
    if (::fstatat(folder, entry.d_name, &info, 0) != 0) return {false, false, true};
    return {S_ISDIR(info.st_mode), S_ISREG(info.st_mode), true};
}

}  // namespace

std::string WithTrailingSeparator(std::string folder) {
    if (folder.empty() || folder.back() != kSeparator) folder += kSeparator;
    return folder;
}

TFolderEntries ReadFolderEntries(const std::string& folder, const TFolderReading& reading) {
    const std::string prefix = WithTrailingSeparator(folder);
    TFolderEntries entries;
    const std::optional<TNameMask> mask =
        reading.Mask ? std::optional<TNameMask>(*reading.Mask) : std::nullopt;
    int descriptor = OpenPath(prefix, O_RDONLY | O_DIRECTORY);
    std::unique_ptr<DIR, TCloseFolder> listing(descriptor < 0 ? nullptr : ::fdopendir(descriptor));
    if (!listing) {
        entries.Error = std::generic_category().message(errno);
        if (descriptor >= 0) ::close(descriptor);
        return entries;
    }
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(listing.get());
        if (entry == nullptr) {
            if (errno != 0) entries.Error = std::generic_category().message(errno);
            break;
        }
        std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        bool wanted = mask && mask->Matches(name);
        if (!wanted && !reading.Subfolders) continue;
        TEntryKind kind = KindOf(::dirfd(listing.get()), *entry);
        if (reading.Subfolders && kind.Folder) {
            entries.Subfolders.push_back({std::move(name), kind.Link});
        } else if (wanted && kind.File) {
            entries.Files.push_back(std::move(name));
        }
    }
    SortByName(entries, prefix);
    return entries;
}
