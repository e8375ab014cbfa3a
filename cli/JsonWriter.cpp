#include "cli/JsonWriter.h"

#include <cstdio>

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
    for (char ch : value) {
        auto c = static_cast<unsigned char>(ch);
        switch (c) {
            case '"': out_ << "\\\""; break;
            case '\\': out_ << "\\\\"; break;
            case '\n': out_ << "\\n"; break;
            case '\r': out_ << "\\r"; break;
            case '\t': out_ << "\\t"; break;
            default:
                if (c < 0x20) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", c);
                    out_ << buf;
                } else {
                    out_ << ch;
                }
        }
    }
    out_ << '"';
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
