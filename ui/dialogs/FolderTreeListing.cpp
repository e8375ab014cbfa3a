#include "ui/dialogs/FolderTreeListing.h"

TFolderTreeListing::TFolderTreeListing(const std::string& startFolder) : scan_(startFolder) {}

TFolderTreeListing::~TFolderTreeListing() {
    Cancel();
    if (thread_.joinable()) thread_.join();
}

void TFolderTreeListing::Start(TEnded onEnded, TFolderFound onFolderFound) {
    thread_ =
        std::thread([this, onEnded = std::move(onEnded), onFolderFound = std::move(onFolderFound)] {
            Run(onEnded, onFolderFound);
        });
}

void TFolderTreeListing::Run(const TEnded& onEnded, const TFolderFound& onFolderFound) {
    scan_.Run([&](const TScannedFolder& folder) {
        std::size_t count = 0;
        {
            const std::lock_guard lock(mutex_);
            folders_.push_back(folder.Path);
            count = folders_.size();
        }
        if (onFolderFound && count > 1) onFolderFound(folder.Path, count);
    });
    onEnded();
}

std::pair<std::string, std::size_t> TFolderTreeListing::Progress() const {
    const std::lock_guard lock(mutex_);
    if (folders_.size() <= 1) return {std::string(), 1};
    return {folders_.back(), folders_.size()};
}

std::vector<std::string> TFolderTreeListing::TakeFolders() {
    const std::lock_guard lock(mutex_);
    return std::move(folders_);
}
