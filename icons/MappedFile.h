#pragma once

#include <string>

#include "icons/ByteReader.h"

// A file opened read-only and mapped into memory, so that a reader touches only the pages it
// parses: listing a large library costs what its icon resources cost, not what the file
// weighs. Files that cannot be mapped are read into memory instead.
class TMappedFile {
public:
    // Throws TReadError when the file cannot be opened or read.
    explicit TMappedFile(const std::string& path);
    ~TMappedFile();
    TMappedFile(const TMappedFile&) = delete;
    TMappedFile& operator=(const TMappedFile&) = delete;

    ByteView Bytes() const { return view_; }

private:
    void* mapping_ = nullptr;
    ByteString copy_;
    ByteView view_;
};
