#include "similar/HexHash.h"

#include <charconv>

std::optional<std::uint64_t> ParseHexHash(std::string_view Text) {
    std::uint64_t value = 0;
    if (Text.size() != 16) return std::nullopt;
    auto [end, error] = std::from_chars(Text.data(), Text.data() + Text.size(), value, 16);
    if (error != std::errc() || end != Text.data() + Text.size()) return std::nullopt;
    return value;
}

std::string HexHash(std::uint64_t Hash) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string text(16, '0');
    for (int i = 15; i >= 0; --i, Hash >>= 4) text[static_cast<std::size_t>(i)] = kHex[Hash & 15];
    return text;
}
