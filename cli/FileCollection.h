#pragma once

#include <string>
#include <vector>

#include "icons/PathList.h"

namespace CLI {
class App;
}

// The files a command reads: its paths, and how the folders among them become files (the -r
// and --mask options).
struct TFileCollection {
    bool Recursive = false;
    std::string Mask{kIconFileMask};
    std::vector<std::string> Paths;
    unsigned Jobs = 0;  // files read at once; 0 takes the machine's cores
};

// Registers -r/--recursive, --mask MASK, -j/--jobs N and the PATH arguments (at least one) on a
// command.
void AddFileCollectionOptions(CLI::App& command, TFileCollection& collection);

// The files a path stands for: a folder gives its files that match the mask (with Recursive
// those of every folder below it too), anything else is taken as a file.
std::vector<std::string> CollectFiles(const std::string& path, const TFileCollection& collection);

// The files of every path, in the order of the paths.
std::vector<std::string> CollectAllFiles(const TFileCollection& collection);

// Whether a load failure means the path could not be reached or opened (a missing file, one
// without read permission), rather than a file that holds no icons.
bool IsAccessFailure(const std::string& error);
