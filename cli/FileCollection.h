#pragma once

#include <functional>
#include <string>
#include <vector>

#include "cli/CliCommand.h"
#include "icons/LoadIcons.h"
#include "icons/PathList.h"

namespace CLI {
class App;
}

// The files a command reads: its paths, and how the folders among them become files (the -r
// and --mask options), then the entries of a file list.
struct TFileCollection {
    bool Recursive = false;
    std::string Mask{kIconFileMask};
    std::vector<std::string> Paths;
    std::string FilesFrom;       // --files-from: a file list, "-" for standard input
    bool NullSeparated = false;  // -0: the list's entries end with NUL bytes, not line breaks
    unsigned Jobs = 0;           // files read at once; 0 takes the machine's cores
    TLoadOptions Load;           // --cursors
};

// Registers -r/--recursive, --mask MASK, -j/--jobs N, --cursors, --files-from FILE, -0/--null
// and the PATH arguments on a command; parsing fails when neither a PATH nor a list is given.
void AddFileCollectionOptions(CLI::App& command, TFileCollection& collection);

// Registers --cursors: read executables' cursor groups too.
void AddCursorsFlag(CLI::App& command, TLoadOptions& load);

// Reads the files of the collection on its worker threads, pulling the paths as it goes, and
// hands each outcome to Consume in path order while a progress line counts them. Paths that
// are not regular files are not read (see TParallelLoadOptions::FilesOnly). Returns false,
// with the reason on stderr, when the file list could not be opened or read (the outcomes
// before it have been consumed) or when a folder could not be listed (each named on stderr as
// it is met, "FOLDER: <reason>"). Prepare, when given, runs on the worker thread that read each
// file (see TParallelLoadOptions::Prepare); once Cancelled, when given, returns true no further
// file is started. -j above the machine's cores runs that many threads all the same.
bool ReadCollection(const TFileCollection& collection, const TCliOutput& output,
                    const std::function<void(TLoadOutcome&&)>& Consume,
                    const std::function<std::string(const TLoadOutcome&)>& Prepare = {},
                    const std::function<bool()>& Cancelled = {});

// Whether a load failure means the path could not be reached or opened (a missing file, one
// without read permission, an empty path), or names no file (a folder, a pipe or a device in a
// file list), rather than a file that holds no icons.
bool IsAccessFailure(const std::string& error);
