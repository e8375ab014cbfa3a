#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <random>
#include <set>
#include <utility>

#include "similar/Clusters.h"
#include "similar/HashIndex.h"

// 10,000 distinct hashes crowded around 300 random ones (up to 8 bits changed), so that every
// distance from 0 to 6 has many pairs; the index must find exactly the pairs and the queries'
// neighbours a brute-force scan finds, each once.
TEST(HashIndex, PairsAndQueriesEqualBruteForceForEveryDistanceUpToSix) {
    std::mt19937_64 random(7);
    std::vector<std::uint64_t> bases(300);
    for (auto& base : bases) base = random();
    std::set<std::uint64_t> unique;
    while (unique.size() < 10000) {
        std::uint64_t hash = bases[random() % bases.size()];
        for (int flips = static_cast<int>(random() % 9); flips > 0; --flips) {
            hash ^= std::uint64_t{1} << (random() % 64);
        }
        unique.insert(hash);
    }
    std::vector<std::uint64_t> hashes(unique.begin(), unique.end());
    std::vector<std::uint64_t> queries(hashes.begin(), hashes.begin() + 50);
    for (int i = 0; i < 50; ++i) queries.push_back(random());  // far from every hash, mostly
    for (int k = 0; k <= 6; ++k) {
        THashIndex index(hashes, k);
        std::vector<std::pair<std::size_t, std::size_t>> found, expected;
        index.Pairs([&](std::size_t a, std::size_t b) { found.emplace_back(a, b); });
        for (std::size_t a = 0; a < hashes.size(); ++a) {
            for (std::size_t b = a + 1; b < hashes.size(); ++b) {
                if (std::popcount(hashes[a] ^ hashes[b]) <= k) expected.emplace_back(a, b);
            }
        }
        std::sort(found.begin(), found.end());
        EXPECT_EQ(found, expected) << "k = " << k;
        EXPECT_EQ(expected.empty(), k == 0) << "k = " << k;  // distinct hashes: none at 0
        // Single linkage joins exactly the chains of those pairs.
        std::vector<std::size_t> root(hashes.size());
        for (std::size_t i = 0; i < root.size(); ++i) root[i] = i;
        auto find = [&](std::size_t i) {
            while (root[i] != i) i = root[i];
            return i;
        };
        for (auto [a, b] : expected) root[find(b)] = find(a);
        std::set<std::size_t> chains;
        for (std::size_t i = 0; i < root.size(); ++i) chains.insert(find(i));
        THashCatalog catalog;
        for (std::uint64_t hash : hashes) catalog.Add(hash, "", "");
        catalog.Finish();
        TClusters clusters = SingleLinkageClusters(catalog, k, true);
        EXPECT_EQ(clusters.Count(), chains.size()) << "k = " << k;
        std::vector<std::size_t> clusterOf(hashes.size());
        for (std::size_t c = 0; c < clusters.Count(); ++c) {
            for (auto at = clusters.Starts[c]; at < clusters.Starts[c + 1]; ++at) {
                clusterOf[clusters.Members[at]] = c;
            }
        }
        for (auto [a, b] : expected) ASSERT_EQ(clusterOf[a], clusterOf[b]) << "k = " << k;
        for (std::uint64_t query : queries) {
            std::vector<std::pair<std::size_t, int>> near, scanned;
            index.Near(query, [&](std::size_t i, int distance) { near.emplace_back(i, distance); });
            for (std::size_t i = 0; i < hashes.size(); ++i) {
                int distance = std::popcount(hashes[i] ^ query);
                if (distance <= k) scanned.emplace_back(i, distance);
            }
            std::sort(near.begin(), near.end());
            ASSERT_EQ(near, scanned) << "k = " << k << ", query " << query;
        }
    }
    EXPECT_THROW(THashIndex(hashes, 17), std::invalid_argument);
}
