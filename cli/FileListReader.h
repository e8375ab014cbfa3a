#pragma once

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>

// Thrown when a file list cannot be opened or read; its message names the list and why.
class TFileListError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The entries of a file list, read one at a time so that a list of any length takes the
// memory of one entry: each entry ends with Separator ('\n' or '\0'), a final separator adds
// nothing, and an empty entry is handed out as an empty path. "-" reads standard input.
class TFileListReader {
public:
    // Throws TFileListError when the list cannot be opened.
    TFileListReader(const std::string& name, char separator);

    // The next entry in Path; false at the end of the list. Throws TFileListError when the
    // list cannot be read further.
    bool Next(std::string& path);

private:
    struct TClose {
        void operator()(std::FILE* file) const;
    };

    std::string name_;
    char separator_;
    std::unique_ptr<std::FILE, TClose> file_;
    std::unique_ptr<char, decltype(&std::free)> line_{nullptr, &std::free};
    std::size_t capacity_ = 0;
};
