#include "icons/PathList.h"

#include <fnmatch.h>

#include <algorithm>
#include <iterator>

#include "icons/FolderEntries.h"

bool MatchesFileMask(std::string_view name, std::string_view mask) {
    const std::string file(name);
    bool anyPattern = false;
    for (std::size_t start = 0; start <= mask.size();) {
        std::size_t end = std::min(mask.find(';', start), mask.size());
        std::string_view part = mask.substr(start, end - start);
        start = end + 1;
        std::size_t first = part.find_first_not_of(' ');
        if (first == std::string_view::npos) continue;
        const std::string pattern(part.substr(first, part.find_last_not_of(' ') + 1 - first));
        if (pattern == "*" || pattern == "*.*") return true;
        anyPattern = true;
        if (::fnmatch(pattern.c_str(), file.c_str(), FNM_CASEFOLD) == 0) return true;
    }
    return !anyPattern;
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
