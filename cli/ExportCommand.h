#pragma once

#include "cli/CliCommand.h"

// `export [options] PATH...`: reads every path like `list` and writes its images (those that
// pass --size and --depth) as files named by the export rules. Prints one line per file
// written, one line on stderr per file that cannot be read or written (the run goes on), and
// a summary; returns 1 when anything failed.
TCliCommand AddExportCommand(CLI::App& app);
