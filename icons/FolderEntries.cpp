#include "icons/FolderEntries.h"

#include <algorithm>
#include <filesystem>

#include "icons/NameOrder.h"
#include "icons/PathList.h"

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

}  // namespace

std::string WithTrailingSeparator(std::string folder) {
    if (folder.empty() || folder.back() != kSeparator) folder += kSeparator;
    return folder;
}

TFolderEntries ReadFolderEntries(const std::string& folder, const TFolderReading& reading) {
    const std::string prefix = WithTrailingSeparator(folder);
    TFolderEntries entries;
    std::error_code error;
    fs::directory_iterator it(prefix, error);
    // The types come from the listing itself where the file system gives them, so only links
    // cost a look at their target.
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        std::error_code typeError;
        std::string name = it->path().filename().string();
        if (reading.Subfolders && it->is_directory(typeError)) {
            entries.Subfolders.push_back({std::move(name), it->is_symlink(typeError)});
        } else if (reading.Mask && MatchesFileMask(name, *reading.Mask) &&
                   it->is_regular_file(typeError)) {
            entries.Files.push_back(std::move(name));
        }
    }
    SortByName(entries, prefix);
    return entries;
}
