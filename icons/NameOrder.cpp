#include "icons/NameOrder.h"

#include <algorithm>
#include <locale>

namespace {

// Bytes that are not valid UTF-8 become code points above Unicode's range, so they sort after
// every character and never meet a case mapping.
constexpr char32_t kStrayByte = 0x110000;

// The case mappings of the C library's UTF-8 locale, which covers every script Unicode maps;
// the classic locale (ASCII only) when the system has none.
const std::ctype<wchar_t>& CaseMapping() {
    static const std::locale locale = [] {
        try {
            return std::locale("C.UTF-8");
        } catch (const std::runtime_error&) {
            return std::locale::classic();
        }
    }();
    return std::use_facet<std::ctype<wchar_t>>(locale);
}

// The code point's case-folded form: lowered after raising, so that letters with more than one
// lower-case form ("ς" and "σ", "ſ" and "s") fold together.
char32_t Folded(char32_t c) {
    if (c < 0x80) return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c;
    if (c >= kStrayByte) return c;
    const std::ctype<wchar_t>& mapping = CaseMapping();
    return static_cast<char32_t>(mapping.tolower(mapping.toupper(static_cast<wchar_t>(c))));
}

// Reads the code point at text[at] and moves at past it.
char32_t NextCodePoint(std::string_view text, std::size_t& at) {
    const auto lead = static_cast<unsigned char>(text[at++]);
    if (lead < 0x80) return lead;
    const int length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    if (length == 0 || lead > 0xF4 || at + length - 1 > text.size()) return kStrayByte + lead;
    char32_t c = lead & (0x7F >> length);
    for (int i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[at + i - 1]);
        if ((next & 0xC0) != 0x80) return kStrayByte + lead;
        c = (c << 6) | (next & 0x3F);
    }
    constexpr char32_t kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < kShortest[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return kStrayByte + lead;
    at += length - 1;
    return c;
}

// Compares the names with every code point case-folded: negative, zero or positive.
int CompareFolded(std::string_view a, std::string_view b) {
    std::size_t atA = 0, atB = 0;
    while (atA < a.size() && atB < b.size()) {
        const char32_t foldedA = Folded(NextCodePoint(a, atA));
        const char32_t foldedB = Folded(NextCodePoint(b, atB));
        if (foldedA != foldedB) return foldedA < foldedB ? -1 : 1;
    }
    return (atA < a.size()) - (atB < b.size());
}

}  // namespace

bool NameLess(std::string_view a, std::string_view b) {
    const int folded = CompareFolded(a, b);
    // UTF-8's byte order is its code point order.
    return folded != 0 ? folded < 0 : a < b;
}
