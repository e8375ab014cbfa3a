#pragma once

#include <string>

// Unescapes the text of a JSON string, from Raw (just after its opening quote) up to its
// closing quote, into Out. Besides JSON's escapes it undoes the listing's rule for names that
// are not UTF-8: a lone \udc80 to \udcff stands for the byte 0x80 to 0xff. Returns false for an
// escape JSON does not know or any other lone surrogate. The text must end with a quote, as a
// string the JSON parser has found does.
bool UnescapeJsonString(const char* Raw, std::string& Out);
