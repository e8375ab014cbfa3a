#include "icons/GroupFilter.h"

#include <algorithm>

namespace {

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

bool SameGroupName(std::string_view A, std::string_view B) {
    return std::equal(A.begin(), A.end(), B.begin(), B.end(),
                      [](char a, char b) { return LowerAscii(a) == LowerAscii(b); });
}

bool TGroupFilter::Takes(std::string_view ResourceName, bool First) const {
    if (TakesAll() || (MainIcon && First)) return true;
    return std::any_of(Names.begin(), Names.end(),
                       [&](const std::string& name) { return SameGroupName(name, ResourceName); });
}
