#include "icons/GroupFilter.h"

#include <algorithm>

#include "icons/ResourceName.h"
#include "icons/Utf8Text.h"

namespace {

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualIgnoringCase(std::string_view A, std::string_view B) {
    return std::equal(A.begin(), A.end(), B.begin(), B.end(),
                      [](char a, char b) { return LowerAscii(a) == LowerAscii(b); });
}

}  // namespace

bool SameGroupName(std::string_view Chosen, std::string_view ResourceName) {
    if (EqualIgnoringCase(Chosen, ResourceName)) return true;
    return !IsUtf8(ResourceName) && EqualIgnoringCase(Chosen, ReadableName(ResourceName));
}

bool TGroupFilter::Takes(std::string_view ResourceName, bool First) const {
    if (TakesAll() || (MainIcon && First)) return true;
    return std::any_of(Names.begin(), Names.end(),
                       [&](const std::string& name) { return SameGroupName(name, ResourceName); });
}
