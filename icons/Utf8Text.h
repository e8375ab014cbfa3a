#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The length of the well-formed UTF-8 sequence at the start of `text`, or 0 when there is none
// (an empty text, a stray continuation byte, a sequence cut short, an overlong form, a
// surrogate or a code point past U+10FFFF).
std::size_t Utf8SequenceLength(std::string_view text);

// Whether `text` is wholly well-formed UTF-8.
bool IsUtf8(std::string_view text);

// Appends the UTF-8 form of the code point `code` (at most U+10FFFF) to `out`.
void AppendUtf8(std::string& out, char32_t code);
