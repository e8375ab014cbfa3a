#include "icons/PathList.h"

#include <algorithm>
#include <iterator>

#include "icons/FolderEntries.h"

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
