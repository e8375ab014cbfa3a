#include "icons/PathList.h"

#include <filesystem>

#include "icons/DirectoryScan.h"
#include "icons/FileExtension.h"

namespace fs = std::filesystem;

namespace {

void AppendMatchingFiles(const std::string& folder, std::string_view mask,
                         std::vector<std::string>& paths) {
    std::string prefix = WithTrailingSeparator(folder);
    std::error_code error;
    fs::directory_iterator it(prefix, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        std::error_code typeError;
        if (!it->is_regular_file(typeError)) continue;
        std::string name = it->path().filename().string();
        if (MatchesFileMask(name, mask)) paths.push_back(prefix + name);
    }
}

}  // namespace

bool MatchesFileMask(std::string_view name, std::string_view mask) {
    if (mask == "*.*") return true;
    std::string ext = LowerExtension(name);
    return !ext.empty() && mask.find(ext) != std::string_view::npos;
}

std::vector<std::string> BuildPathList(const std::vector<std::string>& folders,
                                       std::string_view mask) {
    std::vector<std::string> paths;
    for (const std::string& folder : folders) AppendMatchingFiles(folder, mask, paths);
    return paths;
}
