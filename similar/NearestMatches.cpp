#include "similar/NearestMatches.h"

#include <algorithm>
#include <unordered_map>

#include "similar/HashIndex.h"

std::vector<TNearMatch> NearestMatches(std::span<const std::uint64_t> Distinct, int MaxDistance,
                                       std::span<const std::uint64_t> Queries) {
    THashIndex index(Distinct, MaxDistance);
    std::unordered_map<std::uint32_t, TNearMatch> nearest;
    for (std::uint32_t query = 0; query < Queries.size(); ++query) {
        index.Near(Queries[query], [&](std::size_t found, int distance) {
            TNearMatch match{static_cast<std::uint32_t>(found), distance, query};
            auto [at, added] = nearest.try_emplace(match.Index, match);
            if (!added && distance < at->second.Distance) at->second = match;
        });
    }
    std::vector<TNearMatch> matches;
    for (const auto& [index, match] : nearest) matches.push_back(match);
    std::sort(matches.begin(), matches.end(), [](const TNearMatch& a, const TNearMatch& b) {
        return a.Distance != b.Distance ? a.Distance < b.Distance : a.Index < b.Index;
    });
    return matches;
}
