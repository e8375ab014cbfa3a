#include "similar/HashCatalog.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::size_t kChunk = std::size_t{1} << 20;

void AppendName(std::string& names, std::string_view name) {
    auto length = static_cast<std::uint32_t>(name.size());
    names.append(reinterpret_cast<const char*>(&length), sizeof length);
    names.append(name);
}

}  // namespace

void THashCatalog::Add(std::uint64_t Hash, std::string_view Path, std::string_view ResourceName) {
    std::size_t size = 2 * sizeof(std::uint32_t) + Path.size() + ResourceName.size();
    if (names_.empty() || names_.back().size() + size > names_.back().capacity()) {
        names_.emplace_back().reserve(std::max(kChunk, size));
    }
    std::string& chunk = names_.back();
    refs_.push_back({Hash, (names_.size() - 1) << 32 | chunk.size()});
    AppendName(chunk, Path);
    AppendName(chunk, ResourceName);
}

void THashCatalog::Finish() {
    std::sort(refs_.begin(), refs_.end());
    auto starts = [&](std::size_t i) { return i == 0 || refs_[i].Hash != refs_[i - 1].Hash; };
    std::size_t distinct = 0;
    for (std::size_t i = 0; i < refs_.size(); ++i) distinct += starts(i);
    distinct_.reserve(distinct);
    first_.reserve(distinct + 1);
    for (std::size_t i = 0; i < refs_.size(); ++i) {
        if (starts(i)) {
            distinct_.push_back(refs_[i].Hash);
            first_.push_back(static_cast<std::uint32_t>(i));
        }
    }
    first_.push_back(static_cast<std::uint32_t>(refs_.size()));
}

std::string_view THashCatalog::Name(std::uint64_t& at) const {
    const char* chunk = names_[at >> 32].data() + (at & UINT32_MAX);
    std::uint32_t length = 0;
    std::memcpy(&length, chunk, sizeof length);
    at += sizeof length + length;
    return {chunk + sizeof length, length};
}

std::vector<THashCatalog::TGroup> THashCatalog::GroupsOf(std::size_t Index) const {
    std::vector<TGroup> groups;
    for (std::size_t i = first_[Index]; i < first_[Index + 1]; ++i) {
        std::uint64_t at = refs_[i].At;
        std::string_view path = Name(at);
        groups.push_back({refs_[i].Hash, path, Name(at), refs_[i].At});
    }
    return groups;
}
