#pragma once

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
// collected ahead, so memory does not grow with the number of files.
class TPathSource {
public:
    // Throws TFileListError when the list cannot be opened.
    explicit TPathSource(const TFileCollection& collection);

    // The next file in Path; false once every path has been handed out.
    bool Next(std::string& path);

private:
    bool NextOfArguments(std::string& path);

    const TFileCollection& collection_;
    std::size_t argument_ = 0;
    std::optional<TDirectoryScan> walk_;    // the folder argument being walked, with -r
    std::vector<std::string> folderFiles_;  // the files of the folder being read
    std::size_t folderFile_ = 0;
    std::optional<TFileListReader> list_;
};
