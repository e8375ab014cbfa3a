#pragma once

#include <cstddef>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "icons/ParallelTreeWalk.h"

// A folder that could not be listed, wholly or in part, and the system's reason.
struct TFailedFolder {
    std::string Folder;
    std::string Reason;
};

// The files a listing found, to be loaded.
struct TFoundFiles {
    // A folder tree's files that match the mask, folder by folder in walk order (a folder's
    // files before those of its subfolders), each folder's in name order.
    std::vector<std::string> Files;
    std::vector<TFailedFolder> FailedFolders;
};

// Lists a folder and every folder below it (TParallelTreeWalk) on threads of its own, so that a
// dialog showing the progress stays responsive however large the tree, and takes the files of
// each folder that match a mask as it goes: the tree is read once, and the load that follows
// has its files at hand.
class TFolderTreeListing {
public:
    // Called on one of the listing's threads, never on two at once, with each folder listed
    // below the start folder and the number of folders now listed, the start folder included.
    using TFolderFound = std::function<void(const std::string& folder, std::size_t count)>;
    // Called on the listing's thread once the listing has ended, run to its end or cancelled.
    using TEnded = std::function<void()>;

    TFolderTreeListing(const std::string& startFolder, std::string mask);
    // Cancels a listing still running and waits for its thread.
    ~TFolderTreeListing();
    TFolderTreeListing(const TFolderTreeListing&) = delete;
    TFolderTreeListing& operator=(const TFolderTreeListing&) = delete;

    // Starts the listing; once only.
    void Start(TEnded onEnded, TFolderFound onFolderFound = {});
    // Stops the listing before its next folder; from any thread.
    void Cancel() { walk_.Cancel(); }

    // The folder found last and the number of folders listed so far, the start folder
    // included; an empty folder and 1 while nothing was found below the start folder.
    std::pair<std::string, std::size_t> Progress() const;
    // What the listing found; called after it has ended.
    TFoundFiles TakeFiles();

private:
    void Run(const TEnded& onEnded, const TFolderFound& onFolderFound);

    TParallelTreeWalk walk_;
    mutable std::mutex mutex_;
    std::string lastFolder_;
    std::size_t count_ = 0;
    TFoundFiles found_;
    std::thread thread_;  // last, so it ends before the members it uses go
};
