#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

// A small JSON reader for tests that check documents the tools print. Object keys keep their
// order of appearance in `keys`.
struct JsonValue {
    enum class Kind { Null, Bool, Number, String, Array, Object } kind = Kind::Null;
    bool boolean = false;
    double number = 0;
    std::string string;
    std::vector<JsonValue> items;
    std::vector<std::string> keys;
    std::map<std::string, JsonValue> members;

    const JsonValue& operator[](const std::string& key) const { return members.at(key); }
    const JsonValue& operator[](std::size_t index) const { return items.at(index); }
    bool IsNull() const { return kind == Kind::Null; }
};

// Parses one complete document; throws std::runtime_error on malformed input or trailing text.
JsonValue ParseJson(const std::string& text);
