#pragma once

#include <string>
#include <vector>

#include "cli/FileCollection.h"
#include "icons/IconFilter.h"
#include "writers/ExportRun.h"

// Everything `export` is told on its command line.
struct TExportCommandOptions {
    TExportOptions Export;  // the directory defaults to the current folder
    TIconFilter Filter;     // every image unless --size or --depth is given
    TFileCollection Files;
    std::vector<std::string> Paths;
};

// Reads the arguments of `export`; throws TUsageError for anything it cannot use, and with
// the prefix warning for a prefix that file names cannot hold.
TExportCommandOptions ParseExportOptions(const std::vector<std::string>& args);
