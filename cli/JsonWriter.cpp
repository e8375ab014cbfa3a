#include "cli/JsonWriter.h"

#include <cstdio>

namespace {

// The length of the well-formed UTF-8 sequence at the start of text (which begins with a byte
// of 0x80 or more), or 0 when there is none.
std::size_t Utf8SequenceLength(std::string_view text) {
    auto lead = static_cast<unsigned char>(text[0]);
    std::size_t length = lead >= 0xF0 && lead <= 0xF4 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    if (length == 0 || text.size() < length) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) return 0;
    }
    auto second = static_cast<unsigned char>(text[1]);
    if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second >= 0xA0) ||
        (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second >= 0x90)) {
        return 0;  // overlong forms, surrogates and code points past U+10FFFF
    }
    return length;
}

}  // namespace

void JsonWriter::Json(std::string_view json) {
    Separate();
    out_ << json;
}

void JsonWriter::Separate() {
    if (needComma_) out_ << ", ";
    needComma_ = true;
}

void JsonWriter::Open(char bracket) {
    Separate();
    out_ << bracket;
    needComma_ = false;
}

void JsonWriter::Close(char bracket) {
    out_ << bracket;
    needComma_ = true;
}

void JsonWriter::Key(std::string_view key) {
    String(key);
    out_ << ": ";
    needComma_ = false;
}

void JsonWriter::String(std::string_view value) {
    Separate();
    out_ << '"';
    for (std::size_t i = 0; i < value.size();) {
        auto c = static_cast<unsigned char>(value[i]);
        if (c >= 0x80) {
            // Names read from old executables are 8-bit ANSI text and Linux paths need not be
            // UTF-8: a byte that does not start a valid sequence is taken as Latin-1, so the
            // document is always valid UTF-8.
            std::size_t length = Utf8SequenceLength(value.substr(i));
            if (length > 0) {
                out_ << value.substr(i, length);
                i += length;
            } else {
                EscapeCodePoint(c);
                ++i;
            }
            continue;
        }
        switch (c) {
            case '"':
                out_ << "\\\"";
                break;
            case '\\':
                out_ << "\\\\";
                break;
            case '\n':
                out_ << "\\n";
                break;
            case '\r':
                out_ << "\\r";
                break;
            case '\t':
                out_ << "\\t";
                break;
            default:
                if (c < 0x20) {
                    EscapeCodePoint(c);
                } else {
                    out_ << static_cast<char>(c);
                }
        }
        ++i;
    }
    out_ << '"';
}

void JsonWriter::EscapeCodePoint(unsigned code) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "\\u%04x", code);
    out_ << buf;
}

void JsonWriter::Number(long long value) {
    Separate();
    out_ << value;
}

void JsonWriter::Bool(bool value) {
    Separate();
    out_ << (value ? "true" : "false");
}

void JsonWriter::Null() {
    Separate();
    out_ << "null";
}
