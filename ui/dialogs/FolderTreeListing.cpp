#include "ui/dialogs/FolderTreeListing.h"

#include <algorithm>
#include <iterator>

TFolderTreeListing::TFolderTreeListing(const std::string& startFolder, std::string mask)
    : walk_(startFolder, std::move(mask)) {}

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
    std::vector<TScannedFolder> folders = walk_.Run([&](const TScannedFolder& folder) {
        std::size_t count = 0;
        {
            const std::lock_guard lock(mutex_);
            count = ++count_;
            if (count > 1) lastFolder_ = folder.Path;
        }
        if (onFolderFound && count > 1) onFolderFound(folder.Path, count);
    });
    {
        const std::lock_guard lock(mutex_);
        for (TScannedFolder& folder : folders) {
            found_.Files.insert(found_.Files.end(), std::make_move_iterator(folder.Files.begin()),
                                std::make_move_iterator(folder.Files.end()));
            if (!folder.Error.empty())
                found_.FailedFolders.push_back({std::move(folder.Path), std::move(folder.Error)});
        }
    }
    onEnded();
}

std::pair<std::string, std::size_t> TFolderTreeListing::Progress() const {
    const std::lock_guard lock(mutex_);
    return {lastFolder_, std::max<std::size_t>(count_, 1)};
}

TFoundFiles TFolderTreeListing::TakeFiles() {
    const std::lock_guard lock(mutex_);
    return std::move(found_);
}
