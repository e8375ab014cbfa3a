#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "icons/LoadIcons.h"

// The reason a path that is not a regular file gets when only files are read (a named pipe, a
// device, a socket); a folder gets the system's own "Is a directory".
constexpr std::string_view kNotARegularFile = "Not a regular file";

struct TParallelLoadOptions {
    unsigned Jobs = 0;                // worker threads; 0 takes the machine's cores
    std::function<bool()> Cancelled;  // asked before each file is started; may be empty
    TLoadOptions Load;                // what each file's load reads
    // Paths that are not regular files are not read: their outcome says why ("Is a directory",
    // kNotARegularFile) instead of the loader's "Not an icon source".
    bool FilesOnly = false;
    // Runs on the worker thread that read each file, as soon as it is read, and its result is
    // kept in the outcome's Prepared: per-file work such as hashing is then spread over the
    // threads as the reading is, not done one file at a time where outcomes are consumed.
    std::function<std::string(const TLoadOutcome&)> Prepare;
};

// Hands out the next path to read in Path; false once there is none left. Called on one thread
// at a time, in the order of the paths.
using TNextPath = std::function<bool(std::string& Path)>;

// Reads the files Next hands out on worker threads and hands each outcome to Consume one at a
// time, in the order of the paths. Paths are pulled as the workers need them and at most twice
// as many files as threads are in flight, so memory follows the threads, not the number of
// files. Consume may run on a worker thread, never on two at once. Once Cancelled returns true
// no further file is started and those not yet consumed are dropped. An exception from Next,
// Prepare or Consume stops the reading the same way and is thrown again from here.
void LoadInParallel(const TNextPath& Next, const TParallelLoadOptions& Options,
                    const std::function<void(TLoadOutcome&&)>& Consume);

// The same over a list of paths.
void LoadInParallel(const std::vector<std::string>& Paths, const TParallelLoadOptions& Options,
                    const std::function<void(TLoadOutcome&&)>& Consume);
