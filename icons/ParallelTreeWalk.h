#pragma once

#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "icons/DirectoryScan.h"

// Walks a folder and every folder below it as TDirectoryScan does with a mask, giving the same
// folders with the same files in the same order, but lists folders on several threads at once:
// each subfolder found is listed as a task of its own. The whole tree is held until the walk
// has ended, so it suits a caller that collects the tree anyway and wants it soon, such as a
// load that follows the walk; a walk that streams its folders stays with TDirectoryScan.
class TParallelTreeWalk {
public:
    // Called with each folder as soon as it has been listed, in no set order, on any of the
    // walk's threads but never on two at once.
    using TListed = std::function<void(const TScannedFolder& folder)>;

    TParallelTreeWalk(const std::string& startFolder, std::string mask);

    // Walks the tree; the folders in walk order, or nothing once the walk was cancelled.
    std::vector<TScannedFolder> Run(const TListed& listed);
    // Stops the walk: no folder is listed after the ones being listed now; from any thread.
    void Cancel() { cancelled_ = true; }

private:
    struct TNode;
    void List(TNode& node);

    std::string start_;
    std::string mask_;
    std::atomic<bool> cancelled_ = false;
};
