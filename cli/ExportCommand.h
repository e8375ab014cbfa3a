#pragma once

#include "cli/CliCommand.h"

// `export [options] PATH...`: reads every path like `list` and writes its images (those that
// pass --size and --depth) as files named by the export rules. Prints one line per file
// written and a summary; returns 1 when a writer failed (files already written stay).
TCliCommand AddExportCommand(CLI::App& app);
