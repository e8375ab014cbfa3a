#include "similar/HashCatalog.h"

#include <algorithm>
#include <cstring>

namespace {

void AppendName(std::string& names, std::string_view name) {
    auto length = static_cast<std::uint32_t>(name.size());
    names.append(reinterpret_cast<const char*>(&length), sizeof length);
    names.append(name);
}

}  // namespace

void THashCatalog::Add(std::uint64_t Hash, std::string_view Path, std::string_view ResourceName) {
    refs_.push_back({Hash, names_.size()});
    AppendName(names_, Path);
    AppendName(names_, ResourceName);
}

void THashCatalog::Finish() {
    std::sort(refs_.begin(), refs_.end());
    refs_.shrink_to_fit();
    names_.shrink_to_fit();
    for (std::size_t i = 0; i < refs_.size(); ++i) {
        if (i == 0 || refs_[i].Hash != refs_[i - 1].Hash) {
            distinct_.push_back(refs_[i].Hash);
            first_.push_back(static_cast<std::uint32_t>(i));
        }
    }
    first_.push_back(static_cast<std::uint32_t>(refs_.size()));
    distinct_.shrink_to_fit();
    first_.shrink_to_fit();
}

std::string_view THashCatalog::Name(std::uint64_t& at) const {
    std::uint32_t length = 0;
    std::memcpy(&length, names_.data() + at, sizeof length);
    std::string_view name(names_.data() + at + sizeof length, length);
    at += sizeof length + length;
    return name;
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
