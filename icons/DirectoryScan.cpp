#include "icons/DirectoryScan.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace {

constexpr char kSeparator = static_cast<char>(fs::path::preferred_separator);

}  // namespace

std::string WithTrailingSeparator(std::string folder) {
    if (folder.empty() || folder.back() != kSeparator) folder += kSeparator;
    return folder;
}

TDirectoryScan::TDirectoryScan(const std::string& startFolder, TFolderFound onFolderFound)
    : onFolderFound_(std::move(onFolderFound)) {
    folders_.push_back(WithTrailingSeparator(startFolder));
}

bool TDirectoryScan::Run() {
    cancelled_ = false;
    ScanDirectory(folders_.front());
    return !cancelled_;
}

void TDirectoryScan::ScanDirectory(const std::string& path) {
    std::string prefix = WithTrailingSeparator(path);
    std::error_code error;
    fs::directory_iterator it(prefix, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        std::error_code typeError;
        if (!it->is_directory(typeError)) continue;
        std::string folder = prefix + it->path().filename().string();
        folders_.push_back(folder);
        if (onFolderFound_) onFolderFound_(folder, folders_.size());
        if (cancelled_) return;
        // A link to a folder is listed but not entered, so link cycles cannot trap the scan.
        if (!it->is_symlink(typeError)) ScanDirectory(folder);
        if (cancelled_) return;
    }
}
