#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// Lists a folder and every folder below it, for a folder-tree scan. The list holds the start
// folder with a trailing separator first, then every folder below it in depth-first
// pre-order (a folder before its subfolders, a whole subtree before the next sibling),
// siblings in the order the file system returns them, nothing sorted. Hidden and system
// folders are listed; "." and ".." never are. A symbolic link to a folder is listed but not
// entered, so link cycles cannot trap the scan. A folder that cannot be listed contributes no
// subfolders.
//
// A dialog runs it on its own thread of control: OnFolderFound is called for every folder
// found, and may process pending input and call Cancel(); the scan stops at the next folder.
class TDirectoryScan {
public:
    // Called with the folder just found and the number of folders now listed, the start
    // folder included.
    using TFolderFound = std::function<void(const std::string& folder, std::size_t count)>;

    // An empty start folder means the root folder.
    explicit TDirectoryScan(const std::string& startFolder, TFolderFound onFolderFound = {});

    // Runs the scan; false when it was cancelled.
    bool Run();
    void Cancel() { cancelled_ = true; }
    bool Cancelled() const { return cancelled_; }

    const std::vector<std::string>& Folders() const { return folders_; }
    std::vector<std::string> TakeFolders() { return std::move(folders_); }

private:
    void ScanDirectory(const std::string& path);

    std::vector<std::string> folders_;
    TFolderFound onFolderFound_;
    bool cancelled_ = false;
};

// `folder` with a trailing path separator.
std::string WithTrailingSeparator(std::string folder);
