#pragma once

#include <string>

#include "icons/ByteReader.h"

// Reads a whole file into memory; throws TReadError when it cannot be opened or read.
ByteString ReadFileContent(const std::string& path);
