#include "icons/NameMask.h"

#include <fnmatch.h>

#include <algorithm>

namespace {

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EndsWithIgnoringCase(std::string_view name, std::string_view suffix) {
    return name.size() >= suffix.size() &&
           std::equal(suffix.begin(), suffix.end(), name.end() - suffix.size(),
                      [](char a, char b) { return AsciiLower(a) == AsciiLower(b); });
}

}  // namespace

TNameMask::TNameMask(std::string_view mask) {
    for (std::size_t start = 0; start <= mask.size();) {
        const std::size_t end = std::min(mask.find(';', start), mask.size());
        const std::string_view part = mask.substr(start, end - start);
        start = end + 1;
        const std::size_t first = part.find_first_not_of(' ');
        if (first == std::string_view::npos) continue;
        std::string pattern(part.substr(first, part.find_last_not_of(' ') + 1 - first));
        if (pattern == "*" || pattern == "*.*") all_ = true;
        const bool plainSuffix = pattern.size() > 1 && pattern.front() == '*' &&
                                 pattern.find_first_of("*?[\\", 1) == std::string::npos &&
                                 IsAscii(pattern);
        patterns_.push_back({std::move(pattern), plainSuffix});
    }
    if (patterns_.empty()) all_ = true;
}

bool TNameMask::Matches(std::string_view name) const {
    if (all_) return true;
    const bool ascii = IsAscii(name);
    for (const TPattern& pattern : patterns_) {
        if (pattern.PlainSuffix && ascii) {
            if (EndsWithIgnoringCase(name, std::string_view(pattern.Text).substr(1))) return true;
        } else if (::fnmatch(pattern.Text.c_str(), std::string(name).c_str(), FNM_CASEFOLD) == 0) {
            return true;
        }
    }
    return false;
}

bool MatchesFileMask(std::string_view name, std::string_view mask) {
    return TNameMask(mask).Matches(name);
}
