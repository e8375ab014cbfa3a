#pragma once

#include <string>

#include "icons/ByteReader.h"

// Replaces the file FileName by one holding Data: any old file of that name is deleted first,
// then a new file is created and written. Raises TWriteError with "Cannot create file ..."
// when the file cannot be created (the old file is gone by then), and "Cannot write file ..."
// when writing or closing fails (the partly written file stays). Only a plain file or a link
// is deleted: a folder, device or pipe of that name stays, and the creation fails.
void WriteWholeFile(const std::string& FileName, ByteView Data);
