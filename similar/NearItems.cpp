#include "similar/NearItems.h"

#include <algorithm>

#include "similar/NearestMatches.h"

std::vector<std::size_t> ItemsNear(const std::vector<std::optional<std::uint64_t>>& Hashes,
                                   std::size_t Pressed, int MaxDistance) {
    std::vector<std::size_t> items;
    if (Pressed >= Hashes.size() || !Hashes[Pressed]) return items;
    std::vector<std::uint64_t> distinct;
    for (const auto& hash : Hashes) {
        if (hash) distinct.push_back(*hash);
    }
    std::sort(distinct.begin(), distinct.end());
    distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
    std::vector<bool> near(distinct.size(), false);
    std::uint64_t query = *Hashes[Pressed];
    for (const TNearMatch& match : NearestMatches(distinct, MaxDistance, {&query, 1})) {
        near[match.Index] = true;
    }
    for (std::size_t i = 0; i < Hashes.size(); ++i) {
        if (!Hashes[i]) continue;
        auto at = std::lower_bound(distinct.begin(), distinct.end(), *Hashes[i]);
        if (near[static_cast<std::size_t>(at - distinct.begin())]) items.push_back(i);
    }
    return items;
}
