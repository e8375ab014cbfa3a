#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The icon groups read from listings, by difference hash: every group's path and resource name,
// kept for output, and the distinct hashes in ascending order, each with the groups carrying it.
// Beyond the names a group costs 16 bytes and a distinct hash 12.
class THashCatalog {
public:
    struct TGroup {
        std::uint64_t Hash = 0;
        std::string_view Path;
        std::string_view ResourceName;
        std::uint64_t Position = 0;  // grows in the order the groups were added
    };

    void Add(std::uint64_t Hash, std::string_view Path, std::string_view ResourceName);
    // Sorts what was added into distinct hashes; called once, after the last Add.
    void Finish();

    std::size_t GroupCount() const { return refs_.size(); }
    // The distinct hashes, ascending.
    std::span<const std::uint64_t> Distinct() const { return distinct_; }
    // How many groups carry the distinct hash at Index.
    std::size_t Count(std::size_t Index) const { return first_[Index + 1] - first_[Index]; }
    // The groups carrying the distinct hash at Index, in the order they were added.
    std::vector<TGroup> GroupsOf(std::size_t Index) const;

private:
    struct TRef {
        std::uint64_t Hash;
        std::uint64_t At;  // chunk and place of the names, growing in the order of adding
        bool operator<(const TRef& other) const {
            return Hash != other.Hash ? Hash < other.Hash : At < other.At;
        }
    };
    std::string_view Name(std::uint64_t& at) const;

    // Per group its path and resource name, each after its 4-byte length, in chunks that never
    // move once filled, so that growing never holds the names twice.
    std::vector<std::string> names_;
    std::vector<TRef> refs_;
    std::vector<std::uint64_t> distinct_;
    std::vector<std::uint32_t> first_;  // per distinct hash its first group in refs_, then the end
};
