#pragma once

#include <functional>
#include <string>
#include <vector>

#include "icons/LoadIcons.h"

struct TParallelLoadOptions {
    unsigned Jobs = 0;                // worker threads; 0 takes the machine's cores
    std::function<bool()> Cancelled;  // asked before each file is started; may be empty
};

// Reads the files on worker threads and hands each outcome to Consume one at a time, in the
// order of Paths. At most twice as many files as threads are in flight, so memory follows the
// threads, not the number of files. Consume may run on a worker thread, never on two at once.
// Once Cancelled returns true no further file is started and those not yet consumed are
// dropped.
void LoadInParallel(const std::vector<std::string>& Paths, const TParallelLoadOptions& Options,
                    const std::function<void(TLoadOutcome&&)>& Consume);
