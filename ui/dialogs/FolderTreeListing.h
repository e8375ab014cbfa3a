#pragma once

#include <cstddef>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "icons/DirectoryScan.h"

// Lists a folder and every folder below it (TDirectoryScan, folders only) on a thread of its
// own, so that a dialog showing the progress stays responsive however large the tree.
class TFolderTreeListing {
public:
    // Called on the listing's thread with each folder found below the start folder and the
    // number of folders now listed, the start folder included.
    using TFolderFound = std::function<void(const std::string& folder, std::size_t count)>;
    // Called on the listing's thread once the listing has ended, run to its end or cancelled.
    using TEnded = std::function<void()>;

    explicit TFolderTreeListing(const std::string& startFolder);
    // Cancels a listing still running and waits for its thread.
    ~TFolderTreeListing();
    TFolderTreeListing(const TFolderTreeListing&) = delete;
    TFolderTreeListing& operator=(const TFolderTreeListing&) = delete;

    // Starts the listing; once only.
    void Start(TEnded onEnded, TFolderFound onFolderFound = {});
    // Stops the listing before its next folder; from any thread.
    void Cancel() { scan_.Cancel(); }

    // The folder found last and the number of folders listed so far, the start folder
    // included; an empty folder and 1 while nothing was found below the start folder.
    std::pair<std::string, std::size_t> Progress() const;
    // The folders listed, the start folder first (with a trailing separator); called after the
    // listing has ended.
    std::vector<std::string> TakeFolders();

private:
    void Run(const TEnded& onEnded, const TFolderFound& onFolderFound);

    TDirectoryScan scan_;
    mutable std::mutex mutex_;
    std::vector<std::string> folders_;
    std::thread thread_;  // last, so it ends before the members it uses go
};
