#include "similar/HashIndex.h"

#include <algorithm>
#include <bit>
#include <stdexcept>

#include "similar/PopcountClones.h"

namespace {

constexpr int kDigitBits = 16;  // the radix sort's digit

}  // namespace

THashIndex::THashIndex(std::span<const std::uint64_t> Hashes, int MaxDistance)
    : hashes_(Hashes), maxDistance_(MaxDistance) {
    if (MaxDistance < 0 || MaxDistance > kMaxDistance) {
        throw std::invalid_argument("the distance must lie between 0 and 16");
    }
    if (Hashes.size() > UINT32_MAX) throw std::length_error("more than 2^32 distinct hashes");
    int count = MaxDistance + 1;
    int top = 64;  // blocks are taken from the top bits down, the longer ones first
    for (int block = 0; block < count; ++block) {
        int bits = 64 / count + (block < 64 % count ? 1 : 0);
        top -= bits;
        blocks_.push_back({top, bits == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << bits) - 1});
    }
    for (std::size_t block = 1; block < blocks_.size(); ++block) {
        order_.push_back(SortedByBlock(block));
    }
}

// A stable radix sort of the positions by the block's value, 16 bits a pass (blocks 1 and up
// are at most 32 bits long), keeping only the order and one buffer of the same size.
std::vector<std::uint32_t> THashIndex::SortedByBlock(std::size_t block) const {
    std::vector<std::uint32_t> order(hashes_.size()), next(hashes_.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<std::uint32_t>(i);
    int bits = std::popcount(blocks_[block].Mask);
    for (int shift = 0; shift < bits; shift += kDigitBits) {
        std::vector<std::uint32_t> start((std::size_t{1} << kDigitBits) + 1, 0);
        auto digit = [&](std::uint32_t index) {
            return (Key(hashes_[index], block) >> shift) & ((1u << kDigitBits) - 1);
        };
        for (std::uint32_t index : order) ++start[digit(index) + 1];
        for (std::size_t d = 1; d < start.size(); ++d) start[d] += start[d - 1];
        for (std::uint32_t index : order) next[start[digit(index)]++] = index;
        order.swap(next);
    }
    return order;
}

std::size_t THashIndex::FirstCommonBlock(std::uint64_t difference) const {
    for (std::size_t block = 0; block < blocks_.size(); ++block) {
        if (Key(difference, block) == 0) return block;
    }
    return blocks_.size();
}

std::pair<std::size_t, std::size_t> THashIndex::Run(std::size_t block, std::uint64_t key) const {
    std::size_t low = 0, high = hashes_.size();
    auto below = [&](std::size_t at) { return Key(hashes_[IndexAt(block, at)], block) < key; };
    auto notAbove = [&](std::size_t at) { return Key(hashes_[IndexAt(block, at)], block) <= key; };
    while (low < high) {  // the first position not below the key
        std::size_t middle = low + (high - low) / 2;
        if (below(middle))
            low = middle + 1;
        else
            high = middle;
    }
    std::size_t first = low;
    high = hashes_.size();
    while (low < high) {  // the first position above it
        std::size_t middle = low + (high - low) / 2;
        if (notAbove(middle))
            low = middle + 1;
        else
            high = middle;
    }
    return {first, low};
}

MARROWBY_POPCOUNT_CLONES void THashIndex::Near(
    std::uint64_t Query, const std::function<void(std::size_t, int)>& Visit) const {
    for (std::size_t block = 0; block < blocks_.size(); ++block) {
        auto [first, last] = Run(block, Key(Query, block));
        for (std::size_t at = first; at < last; ++at) {
            std::size_t index = IndexAt(block, at);
            std::uint64_t difference = hashes_[index] ^ Query;
            int distance = std::popcount(difference);
            // A hash within the distance is met on every block it shares with the query; it
            // is taken on the first.
            if (distance <= maxDistance_ && FirstCommonBlock(difference) == block) {
                Visit(index, distance);
            }
        }
    }
}

MARROWBY_POPCOUNT_CLONES void THashIndex::PairsInRun(
    std::size_t block, std::span<const std::uint32_t> members,
    const std::function<void(std::size_t, std::size_t)>& visit) const {
    thread_local std::vector<std::uint64_t> values;
    values.clear();
    for (std::uint32_t index : members) values.push_back(hashes_[index]);
    for (std::size_t i = 0; i < values.size(); ++i) {
        for (std::size_t j = i + 1; j < values.size(); ++j) {
            std::uint64_t difference = values[i] ^ values[j];
            if (std::popcount(difference) <= maxDistance_ &&
                FirstCommonBlock(difference) == block) {
                visit(std::min(members[i], members[j]), std::max(members[i], members[j]));
            }
        }
    }
}

void THashIndex::Runs(
    const std::function<void(std::size_t, std::span<const std::uint32_t>)>& Visit) const {
    std::vector<std::uint32_t> members;
    for (std::size_t block = 0; block < blocks_.size(); ++block) {
        for (std::size_t at = 0; at < hashes_.size();) {
            std::uint64_t key = Key(hashes_[IndexAt(block, at)], block);
            members.clear();
            for (; at < hashes_.size() && Key(hashes_[IndexAt(block, at)], block) == key; ++at) {
                members.push_back(static_cast<std::uint32_t>(IndexAt(block, at)));
            }
            if (members.size() > 1) Visit(block, members);
        }
    }
}

void THashIndex::Pairs(const std::function<void(std::size_t, std::size_t)>& Visit) const {
    Runs([&](std::size_t block, std::span<const std::uint32_t> members) {
        PairsInRun(block, members, Visit);
    });
}
