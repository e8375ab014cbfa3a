#pragma once

#include <cstdint>
#include <vector>

#include "similar/HashCatalog.h"

// Clusters of a catalog's distinct hashes, joined by single linkage: two hashes within the
// distance of each other share a cluster, and so do the hashes joined through a chain of such
// pairs. Biggest first (by groups), a tie going to the cluster of the lower hash.
struct TClusters {
    std::vector<std::uint32_t> Members;  // distinct hash indices, cluster by cluster, ascending
    std::vector<std::uint32_t> Starts;   // where each cluster starts in Members, then the end
    std::vector<std::uint32_t> Sizes;    // the groups each cluster holds

    std::size_t Count() const { return Sizes.size(); }
};

// The clusters of the catalog within MaxDistance; clusters of one group are left out unless
// Singles. Memory beyond the catalog: the index and 4 bytes per distinct hash, then 8 bytes
// per distinct hash and the clusters kept.
TClusters SingleLinkageClusters(const THashCatalog& Catalog, int MaxDistance, bool Singles);
