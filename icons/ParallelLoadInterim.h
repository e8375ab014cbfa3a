#pragma once

// The ordered parallel loader's interface, until the core's own icons/ParallelLoad.h and
// LoadIconsWithReason replace this file.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "icons/LoadedIcon.h"

struct TLoadOutcome {
    std::string Path;
    std::unique_ptr<TLoadedIcon> Icon;
    std::string Error;
};

struct TParallelLoadOptions {
    unsigned Jobs = 0;
    std::function<bool()> Cancelled;
};

// Loads every path and hands each outcome to Consume, serially and in path order; stops
// before the next file once Cancelled returns true. Reads on the calling thread.
void LoadInParallel(const std::vector<std::string>& Paths, const TParallelLoadOptions& Options,
                    const std::function<void(TLoadOutcome&&)>& Consume);
