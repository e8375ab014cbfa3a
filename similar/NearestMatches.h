#pragma once

#include <cstdint>
#include <span>
#include <vector>

// A hash found near one of the queries: its index among the hashes searched, its distance to
// the nearest query and which query that is (the first of equally near ones).
struct TNearMatch {
    std::uint32_t Index = 0;
    int Distance = 0;
    std::uint32_t Query = 0;
};

// Every hash of Distinct (distinct, ascending) within MaxDistance (0 to 16) of any query, nearest
// first, equally near ones in ascending order, searched through the pigeonhole index.
std::vector<TNearMatch> NearestMatches(std::span<const std::uint64_t> Distinct, int MaxDistance,
                                       std::span<const std::uint64_t> Queries);
