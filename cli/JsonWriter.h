#pragma once

#include <ostream>
#include <string>
#include <string_view>

// A minimal streaming JSON writer: enough for the listing document, keys kept in call order.
class JsonWriter {
public:
    explicit JsonWriter(std::ostream& out) : out_(out) {}

    void BeginObject() { Open('{'); }
    void EndObject() { Close('}'); }
    void BeginArray() { Open('['); }
    void EndArray() { Close(']'); }
    void Key(std::string_view key);
    void String(std::string_view value);
    void Number(long long value);
    void Bool(bool value);
    void Null();
    // A value already written as JSON text, such as an entry written on another thread.
    void Json(std::string_view json);

private:
    void Open(char bracket);
    void Close(char bracket);
    void Separate();
    void EscapeCodePoint(unsigned code);

    std::ostream& out_;
    bool needComma_ = false;
};
