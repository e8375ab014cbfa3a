#pragma once

#include <optional>
#include <string>

// The SHA-256 digest of a whole file in lowercase hexadecimal, read with read() in small
// blocks (a mapping would kill the process if the file were cut short meanwhile); nothing
// when the file cannot be opened or read, or is no regular file (a pipe, a device).
std::optional<std::string> FileSha256(const std::string& Path);
