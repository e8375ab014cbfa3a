#include "cli/JsonWriter.h"

#include <cstdio>

#include "icons/Utf8Text.h"

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
            // Linux paths need not be UTF-8 and names read from old executables are 8-bit
            // ANSI text: a byte that is not part of a valid sequence is written as the lone
            // surrogate U+DC00 + byte, as Python's "surrogateescape" does, so the document
            // stays UTF-8 text and the bytes can be had back.
            std::size_t length = Utf8SequenceLength(value.substr(i));
            if (length > 0) {
                out_ << value.substr(i, length);
                i += length;
            } else {
                EscapeCodePoint(0xDC00 + c);
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
