#include "MiniJson.h"

#include <cctype>
#include <cstdlib>
#include <stdexcept>

namespace {

class Parser {
public:
    explicit Parser(const std::string& text) : text_(text) {}

    JsonValue Document() {
        JsonValue value = Value();
        SkipSpace();
        if (pos_ != text_.size()) Fail("trailing text");
        return value;
    }

private:
    [[noreturn]] void Fail(const std::string& what) const {
        throw std::runtime_error("JSON: " + what + " at " + std::to_string(pos_));
    }
    void SkipSpace() {
        while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_]))) ++pos_;
    }
    char Peek() {
        SkipSpace();
        if (pos_ >= text_.size()) Fail("unexpected end");
        return text_[pos_];
    }
    void Expect(char c) {
        if (Peek() != c) Fail(std::string("expected ") + c);
        ++pos_;
    }
    bool Literal(const char* word) {
        std::string w(word);
        if (text_.compare(pos_, w.size(), w) != 0) return false;
        pos_ += w.size();
        return true;
    }

    JsonValue Value() {
        JsonValue v;
        char c = Peek();
        if (c == '{') return Object();
        if (c == '[') return Array();
        if (c == '"') {
            v.kind = JsonValue::Kind::String;
            v.string = String();
        } else if (Literal("null")) {
            v.kind = JsonValue::Kind::Null;
        } else if (Literal("true") || Literal("false")) {
            v.kind = JsonValue::Kind::Bool;
            v.boolean = text_[pos_ - 1] == 'e' && text_[pos_ - 2] == 'u';
        } else {
            char* end = nullptr;
            v.kind = JsonValue::Kind::Number;
            v.number = std::strtod(text_.c_str() + pos_, &end);
            if (end == text_.c_str() + pos_) Fail("bad value");
            pos_ = static_cast<std::size_t>(end - text_.c_str());
        }
        return v;
    }

    std::string String() {
        Expect('"');
        std::string out;
        while (pos_ < text_.size() && text_[pos_] != '"') {
            char c = text_[pos_++];
            if (c != '\\') {
                out += c;
                continue;
            }
            if (pos_ >= text_.size()) Fail("bad escape");
            char e = text_[pos_++];
            switch (e) {
                case 'n':
                    out += '\n';
                    break;
                case 'r':
                    out += '\r';
                    break;
                case 't':
                    out += '\t';
                    break;
                case 'u':
                    out += static_cast<char>(std::stoi(text_.substr(pos_, 4), nullptr, 16));
                    pos_ += 4;
                    break;
                default:
                    out += e;
            }
        }
        Expect('"');
        return out;
    }

    JsonValue Array() {
        JsonValue v;
        v.kind = JsonValue::Kind::Array;
        Expect('[');
        if (Peek() == ']') {
            ++pos_;
            return v;
        }
        do {
            v.items.push_back(Value());
        } while (Peek() == ',' && ++pos_);
        Expect(']');
        return v;
    }

    JsonValue Object() {
        JsonValue v;
        v.kind = JsonValue::Kind::Object;
        Expect('{');
        if (Peek() == '}') {
            ++pos_;
            return v;
        }
        do {
            std::string key = String();
            Expect(':');
            v.keys.push_back(key);
            v.members[key] = Value();
        } while (Peek() == ',' && ++pos_);
        Expect('}');
        return v;
    }

    const std::string& text_;
    std::size_t pos_ = 0;
};

}  // namespace

JsonValue ParseJson(const std::string& text) {
    return Parser(text).Document();
}
