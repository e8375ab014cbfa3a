#include "icons/ParallelLoadInterim.h"

#include "icons/LoadIcons.h"

void LoadInParallel(const std::vector<std::string>& Paths, const TParallelLoadOptions& Options,
                    const std::function<void(TLoadOutcome&&)>& Consume) {
    for (const std::string& path : Paths) {
        if (Options.Cancelled && Options.Cancelled()) return;
        Consume(TLoadOutcome{path, LoadIconsFromFile(path), {}});
    }
}
