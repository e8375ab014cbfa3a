#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "icons/FolderEntries.h"

// One folder of a folder-tree walk.
struct TScannedFolder {
    // The start folder with a trailing separator; a folder below it as its parent's path with
    // a separator, then its name, without a trailing one.
    std::string Path;
    // The folder's files that match the walk's mask, as ReadFolderEntries takes them, in name
    // order; empty when the walk lists folders only.
    std::vector<std::string> Files;
    // Why the folder could not be listed (wholly or in part), as ReadFolderEntries gives it;
    // empty when it was read.
    std::string Error;
};

// Walks a folder and every folder below it, one folder at a time: the start folder first,
// then depth-first pre-order (a folder before its subfolders, a whole subtree before the next
// sibling), siblings in name order (NameLess). Hidden folders are walked; "." and ".." never
// are. A symbolic link to a folder is yielded, with its files, but not entered, so link cycles
// cannot trap the walk. A folder that cannot be listed is yielded with nothing in it, adds
// no subfolders and carries the reason. Folders deeper than PATH_MAX are walked too.
//
// Nothing is collected: the walk holds the sorted subfolder names of the folders on the path
// from the start folder to the current one, and the current folder's files.
class TDirectoryScan {
public:
    // A walk of the folders only. An empty start folder means the root folder.
    explicit TDirectoryScan(const std::string& startFolder);
    // A walk that also takes each folder's files that match `mask` (MatchesFileMask).
    TDirectoryScan(const std::string& startFolder, std::string mask);

    // The next folder, or nothing when the walk is over or has been cancelled.
    std::optional<TScannedFolder> Next();
    // Walks on to the end, handing each folder to `visit`; false when it was cancelled (also
    // by `visit`).
    bool Run(const std::function<void(const TScannedFolder&)>& visit);

    // Stops the walk before its next folder; may be called from any thread.
    void Cancel() { cancelled_ = true; }
    bool Cancelled() const { return cancelled_; }
    // The number of folders yielded so far, the start folder included.
    std::size_t Count() const { return count_; }

private:
    // The subfolders of a folder on the current path that are still to be walked.
    struct TPending {
        std::string Prefix;  // the folder with a trailing separator
        std::vector<TSubfolder> Subfolders;
        std::size_t Next = 0;
    };

    TScannedFolder Visit(std::string path, bool enter);

    std::string start_;
    std::optional<std::string> mask_;
    std::vector<TPending> path_;
    bool started_ = false;
    std::size_t count_ = 0;
    std::atomic<bool> cancelled_ = false;
};

// Every folder of the tree below `startFolder` in walk order, the start folder first (with a
// trailing separator).
std::vector<std::string> ListFolderTree(const std::string& startFolder);
