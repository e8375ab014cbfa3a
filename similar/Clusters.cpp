#include "similar/Clusters.h"

#include <algorithm>
#include <numeric>

#include "similar/HashIndex.h"
#include "similar/PopcountClones.h"

namespace {

// A union-find forest over the distinct hashes, the lower index the root of a union.
class TForest {
public:
    explicit TForest(std::size_t size) : parent_(size) {
        std::iota(parent_.begin(), parent_.end(), 0u);
    }
    std::uint32_t Root(std::uint32_t node) {
        while (parent_[node] != node) {
            parent_[node] = parent_[parent_[node]];  // path halving
            node = parent_[node];
        }
        return node;
    }
    void Join(std::uint32_t a, std::uint32_t b) {
        a = Root(a);
        b = Root(b);
        if (a != b) parent_[std::max(a, b)] = std::min(a, b);
    }
    // Replaces every parent with its root, so that the forest becomes the cluster of each node.
    std::vector<std::uint32_t> TakeRoots() {
        for (std::uint32_t node = 0; node < parent_.size(); ++node) parent_[node] = Root(node);
        return std::move(parent_);
    }

private:
    std::vector<std::uint32_t> parent_;
};

// Joins the members of a run that lie within the distance. Members already joined need no
// comparing: the run is sorted by the members' roots when it starts, and only members under
// different roots are compared. Real dhashes crowd on a few values, and a run of thousands of
// hashes met again on a later block is then mostly one cluster already.
MARROWBY_POPCOUNT_CLONES void JoinRun(const THashIndex& index, TForest& forest,
                                      std::span<const std::uint32_t> members) {
    thread_local std::vector<std::pair<std::uint32_t, std::uint32_t>> byRoot;
    byRoot.clear();
    for (std::uint32_t member : members) byRoot.emplace_back(forest.Root(member), member);
    std::sort(byRoot.begin(), byRoot.end());
    if (byRoot.front().first == byRoot.back().first) return;
    for (std::size_t group = 0; group < byRoot.size();) {
        std::size_t next = group;
        while (next < byRoot.size() && byRoot[next].first == byRoot[group].first) ++next;
        for (std::size_t a = group; a < next; ++a) {
            for (std::size_t b = next; b < byRoot.size(); ++b) {
                if (index.Within(byRoot[a].second, byRoot[b].second)) {
                    forest.Join(byRoot[a].second, byRoot[b].second);
                }
            }
        }
        group = next;
    }
}

std::vector<std::uint32_t> Roots(const THashCatalog& catalog, int maxDistance) {
    THashIndex index(catalog.Distinct(), maxDistance);
    TForest forest(catalog.Distinct().size());
    index.Runs([&](std::size_t, std::span<const std::uint32_t> members) {
        JoinRun(index, forest, members);
    });
    return forest.TakeRoots();
}

}  // namespace

TClusters SingleLinkageClusters(const THashCatalog& Catalog, int MaxDistance, bool Singles) {
    std::vector<std::uint32_t> roots = Roots(Catalog, MaxDistance);
    // Per root its cluster's size in groups; a root is the lowest index of its cluster.
    std::vector<std::uint32_t> slot(roots.size(), 0);
    for (std::uint32_t i = 0; i < roots.size(); ++i) {
        slot[roots[i]] += static_cast<std::uint32_t>(Catalog.Count(i));
    }
    std::vector<std::uint32_t> kept;
    for (std::uint32_t i = 0; i < roots.size(); ++i) {
        if (roots[i] == i && (Singles || slot[i] > 1)) kept.push_back(i);
    }
    std::stable_sort(kept.begin(), kept.end(),
                     [&](std::uint32_t a, std::uint32_t b) { return slot[a] > slot[b]; });
    TClusters out;
    out.Starts.assign(kept.size() + 1, 0);
    for (std::uint32_t root : kept) out.Sizes.push_back(slot[root]);
    // From here on a root's slot holds its cluster's place in the output, or none.
    constexpr std::uint32_t kLeftOut = UINT32_MAX;
    for (std::uint32_t i = 0; i < roots.size(); ++i) {
        if (roots[i] == i) slot[i] = kLeftOut;
    }
    for (std::uint32_t place = 0; place < kept.size(); ++place) slot[kept[place]] = place;
    for (std::uint32_t i = 0; i < roots.size(); ++i) {
        if (slot[roots[i]] != kLeftOut) ++out.Starts[slot[roots[i]] + 1];
    }
    for (std::size_t c = 1; c < out.Starts.size(); ++c) out.Starts[c] += out.Starts[c - 1];
    out.Members.resize(out.Starts.back());
    std::vector<std::uint32_t> fill(out.Starts.begin(), out.Starts.end() - 1);
    for (std::uint32_t i = 0; i < roots.size(); ++i) {
        if (slot[roots[i]] != kLeftOut) out.Members[fill[slot[roots[i]]]++] = i;
    }
    return out;
}
