#include "similar/JsonString.h"

#include <cstring>

#include "icons/Utf8Text.h"

namespace {

// The value of four hexadecimal digits, or -1.
long HexQuad(const char* text) {
    long value = 0;
    for (int i = 0; i < 4; ++i) {
        char c = text[i];
        int digit = c >= '0' && c <= '9'   ? c - '0'
                    : c >= 'a' && c <= 'f' ? c - 'a' + 10
                    : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                           : -1;
        if (digit < 0) return -1;
        value = value * 16 + digit;
    }
    return value;
}

// Decodes the \u escape at text (just after "\u"), a surrogate pair taking the escape that
// follows; advances text past what it used. False for a lone surrogate not standing for a byte.
bool AppendUnicodeEscape(const char*& text, std::string& out) {
    long code = HexQuad(text);
    if (code < 0) return false;
    text += 4;
    if (code >= 0xD800 && code <= 0xDBFF && text[0] == '\\' && text[1] == 'u') {
        long low = HexQuad(text + 2);
        if (low >= 0xDC00 && low <= 0xDFFF) {
            text += 6;
            AppendUtf8(out,
                       static_cast<char32_t>(0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00)));
            return true;
        }
    }
    if (code >= 0xDC80 && code <= 0xDCFF) {  // a byte that is not UTF-8
        out += static_cast<char>(code - 0xDC00);
        return true;
    }
    if (code >= 0xD800 && code <= 0xDFFF) return false;
    AppendUtf8(out, static_cast<char32_t>(code));
    return true;
}

}  // namespace

bool UnescapeJsonString(const char* Raw, std::string& Out) {
    Out.clear();
    const char* text = Raw;
    for (;;) {
        std::size_t plain = std::strcspn(text, "\"\\");
        Out.append(text, plain);
        text += plain;
        if (*text == '"') return true;
        if (*text != '\\') return false;  // the text ended without its quote
        char escape = text[1];
        text += 2;
        switch (escape) {
            case '"':
            case '\\':
            case '/':
                Out += escape;
                break;
            case 'b':
                Out += '\b';
                break;
            case 'f':
                Out += '\f';
                break;
            case 'n':
                Out += '\n';
                break;
            case 'r':
                Out += '\r';
                break;
            case 't':
                Out += '\t';
                break;
            case 'u':
                if (!AppendUnicodeEscape(text, Out)) return false;
                break;
            default:
                return false;
        }
    }
}
