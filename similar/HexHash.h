#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// A difference hash as listings write it, 16 hexadecimal digits, and its 64-bit value (the
// digits read as one number, so the first two give the top byte).
std::optional<std::uint64_t> ParseHexHash(std::string_view Text);
std::string HexHash(std::uint64_t Hash);
