#pragma once

#include <optional>
#include <string>
#include <vector>

#include "icons/readers/MsiDatabase.h"

// What a package's tables hold of its icons: the rows of its Icon table (every stream that
// starts as an icon file or an executable, the others with their first bytes only), the rows
// of its Binary table whose streams are icon files, and the ARPPRODUCTICON property.
struct TMsiTables {
    bool HasIconTable = false;
    std::vector<TMsiStream> Icons;
    std::vector<TMsiStream> Binaries;
    std::optional<std::string> ProductIcon;
};

// Whether the bytes start an icon or cursor file: reserved word 0, type 1 or 2, an entry.
bool IsIconFileHead(ByteView Head);
// Whether the bytes start an executable ("MZ").
bool IsExecutableHead(ByteView Head);

// Reads the tables with libmsi in a child process: libmsi and the compound-file library below
// it can crash or hang on a damaged file, and then only that process is lost. Throws TReadError
// with libmsi's reason, or saying the database is damaged when the child did not finish.
TMsiTables ReadMsiTables(const std::string& FileName);
