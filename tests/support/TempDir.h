#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "icons/ByteReader.h"

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // Writes bytes to a file below the folder (creating folders on the way); returns its path.
    std::string Write(const std::string& relative, ByteView bytes) const;

private:
    std::filesystem::path path_;
};

// The names of the files in a folder, sorted; tests use it to see that nothing else was left.
std::vector<std::string> FileNamesIn(const std::filesystem::path& folder);
