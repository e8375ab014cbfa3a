#pragma once

#include <compare>
#include <cstdint>
#include <span>
#include <string>

// The name of a resource in an executable: a numeric id or a string name.
struct TResourceId {
    bool Named = false;
    std::uint16_t Id = 0;
    std::string Name;

    static TResourceId Number(std::uint16_t id) { return {false, id, {}}; }
    static TResourceId String(std::string name) { return {true, 0, std::move(name)}; }
    auto operator<=>(const TResourceId&) const = default;
};

// The name an image carries in ResourceName: "#" and the decimal id for a numeric id, the
// string name otherwise.
std::string ResourceNameText(const TResourceId& id);

// An 8-bit name of a 16-bit file, read as Windows-1252 and given as UTF-8. The five bytes
// Windows-1252 leaves undefined become the code point of the same number, as bytes from 0xA0 on
// do.
std::string AnsiNameToUtf8(std::span<const std::uint8_t> Text);

// UTF-16 text (little-endian units, as Windows stores it) as UTF-8; unpaired surrogates become
// U+FFFD, and a last odd byte is dropped.
std::string Utf16ToUtf8(std::span<const std::uint8_t> Units);
