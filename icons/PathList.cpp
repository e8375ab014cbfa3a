#include "icons/PathList.h"

#include <iterator>

#include "icons/FileExtension.h"
#include "icons/FolderEntries.h"

bool MatchesFileMask(std::string_view name, std::string_view mask) {
    if (mask == "*.*") return true;
    std::string ext = LowerExtension(name);
    return !ext.empty() && mask.find(ext) != std::string_view::npos;
}

std::vector<std::string> BuildPathList(const std::vector<std::string>& folders,
                                       std::string_view mask) {
    std::vector<std::string> paths;
    for (const std::string& folder : folders) {
        std::vector<std::string> files = ReadFolderEntries(folder, {mask, false}).Files;
        paths.insert(paths.end(), std::make_move_iterator(files.begin()),
                     std::make_move_iterator(files.end()));
    }
    return paths;
}
