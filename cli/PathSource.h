#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "cli/FileCollection.h"
#include "cli/FileListReader.h"
#include "icons/DirectoryScan.h"

// The files a command reads, handed out one at a time in order, as the loader asks for them:
// first those the PATH arguments stand for, then the entries of the --files-from list, each
// taken as a file whatever it is. A folder argument stands for its files that match the mask,
// with -r those of every folder below it too, walked one folder at a time: nothing is
// collected ahead, so memory does not grow with the number of files. A folder that cannot be
// listed (wholly or in part) is handed to FolderFailed with the system's reason, and counted.
class TPathSource {
public:
    using TFolderFailed = std::function<void(const std::string& folder, const std::string& reason)>;

    // Throws TFileListError when the list cannot be opened.
    explicit TPathSource(const TFileCollection& collection, TFolderFailed folderFailed = {});

    // The next file in Path; false once every path has been handed out.
    bool Next(std::string& path);
    // The folders that could not be listed so far.
    std::size_t FailedFolders() const { return failedFolders_; }

private:
    bool NextOfArguments(std::string& path);
    // Makes a listed folder's files the next ones handed out; reports it when it failed.
    void Take(const std::string& folder, std::vector<std::string> files, const std::string& error);

    const TFileCollection& collection_;
    std::size_t argument_ = 0;
    std::optional<TDirectoryScan> walk_;    // the folder argument being walked, with -r
    std::vector<std::string> folderFiles_;  // the files of the folder being read
    std::size_t folderFile_ = 0;
    std::optional<TFileListReader> list_;
    TFolderFailed folderFailed_;
    std::size_t failedFolders_ = 0;
};
