#pragma once

#include <sys/stat.h>

#include <string>

// File calls for paths of any length. open(2) and its kin refuse a path of PATH_MAX bytes or
// more, which a deep folder tree easily holds; such a path is reached one folder at a time with
// openat(2), so it is read like any other. Shorter paths go to the system as they are. Each
// call returns what the system call does: -1 with errno telling why on failure.

// open(2): the new descriptor (close-on-exec).
int OpenPath(const std::string& path, int flags);
// stat(2), following symbolic links.
int StatPath(const std::string& path, struct stat& info);
// access(2) with `mode` (R_OK and the like).
int AccessPath(const std::string& path, int mode);
