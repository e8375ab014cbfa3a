#include "icons/ResourceName.h"

#include "icons/ByteReader.h"
#include "icons/Utf8Text.h"

namespace {

// The code points of Windows-1252's bytes 0x80 to 0x9F; 0 where the byte is undefined.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

}  // namespace

std::string ResourceNameText(const TResourceId& id) {
    return id.Named ? id.Name : "#" + std::to_string(id.Id);
}

std::string ReadableName(std::string_view Name) {
    if (IsUtf8(Name)) return std::string(Name);
    std::string out;
    for (char c : Name) {
        auto byte = static_cast<std::uint8_t>(c);
        char32_t mapped = byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : 0;
        AppendUtf8(out, mapped ? mapped : byte);
    }
    return out;
}

std::string Utf16ToUtf8(std::span<const std::uint8_t> Units) {
    ByteReader units(Units);
    std::string out;
    while (units.Has(2)) {
        char32_t code = units.U16();
        if (code >= 0xD800 && code < 0xDC00 && units.Has(2)) {
            std::uint16_t low = ReadU16At(units.Rest(), 0);
            if (low >= 0xDC00 && low < 0xE000) {
                units.Skip(2);
                code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
            }
        }
        if (code >= 0xD800 && code < 0xE000) code = 0xFFFD;
        AppendUtf8(out, code);
    }
    return out;
}
