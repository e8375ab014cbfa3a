#pragma once

#include <compare>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

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

// A resource name as text to show or to name a file by. Names keep the bytes their file
// stores (UTF-8 from the UTF-16 of 32-bit files, the 8-bit ANSI text of 16-bit files as it
// is), so that they can be written out and chosen exactly; a name that is not UTF-8 is read
// here as Windows-1252 and given as UTF-8. The five bytes Windows-1252 leaves undefined become
// the code point of the same number, as bytes from 0xA0 on do.
std::string ReadableName(std::string_view Name);

// UTF-16 text (little-endian units, as Windows stores it) as UTF-8; unpaired surrogates become
// U+FFFD, and a last odd byte is dropped.
std::string Utf16ToUtf8(std::span<const std::uint8_t> Units);
