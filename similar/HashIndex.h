#pragma once

#include <bit>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

// The 64-bit hashes within a Hamming distance K of a query, and all pairs within K, found by the
// pigeonhole rule: the bits are split into K + 1 blocks, and two hashes within K agree exactly on
// at least one block. For every block the index keeps the hashes in the order of that block's
// value, so the hashes agreeing with a query on a block lie in one run found by binary search;
// a population count checks each candidate. Block 0 is the top bits: the hashes, given in
// ascending order, are already in its order, so the index adds 4 bytes per hash for each of the
// other K blocks.
class THashIndex {
public:
    // The largest distance served: above it the blocks grow too short to tell hashes apart, and
    // the index degenerates into a scan.
    static constexpr int kMaxDistance = 16;

    // Indexes Hashes, which must be distinct and ascending and outlive the index, for distance
    // MaxDistance (0 to kMaxDistance).
    THashIndex(std::span<const std::uint64_t> Hashes, int MaxDistance);

    int MaxDistance() const { return maxDistance_; }

    // Calls Visit(index, distance) once for every hash within MaxDistance of Query.
    void Near(std::uint64_t Query, const std::function<void(std::size_t, int)>& Visit) const;

    // Calls Visit(i, j) once for every pair of hashes within MaxDistance of each other, i < j.
    void Pairs(const std::function<void(std::size_t, std::size_t)>& Visit) const;

    // Calls Visit(block, members) for every run of two or more hashes agreeing on a block: every
    // pair within MaxDistance lies in one run at least.
    void Runs(const std::function<void(std::size_t, std::span<const std::uint32_t>)>& Visit) const;
    // Whether two of the hashes lie within MaxDistance of each other.
    bool Within(std::size_t A, std::size_t B) const {
        return std::popcount(hashes_[A] ^ hashes_[B]) <= maxDistance_;
    }

private:
    struct TBlock {
        int Shift = 0;  // the block is (hash >> Shift) & Mask
        std::uint64_t Mask = 0;
    };
    std::uint64_t Key(std::uint64_t hash, std::size_t block) const {
        return (hash >> blocks_[block].Shift) & blocks_[block].Mask;
    }
    // The first block on which two hashes agree, their XOR given.
    std::size_t FirstCommonBlock(std::uint64_t difference) const;
    // The hash at position At of block Block's order.
    std::size_t IndexAt(std::size_t block, std::size_t at) const {
        return block == 0 ? at : order_[block - 1][at];
    }
    // The positions, in block Block's order, of the hashes whose block equals Key.
    std::pair<std::size_t, std::size_t> Run(std::size_t block, std::uint64_t key) const;
    std::vector<std::uint32_t> SortedByBlock(std::size_t block) const;
    void PairsInRun(std::size_t block, std::span<const std::uint32_t> members,
                    const std::function<void(std::size_t, std::size_t)>& visit) const;

    std::span<const std::uint64_t> hashes_;
    int maxDistance_;
    std::vector<TBlock> blocks_;
    std::vector<std::vector<std::uint32_t>> order_;  // blocks 1 to K
};
