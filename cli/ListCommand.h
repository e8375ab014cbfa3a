#pragma once

#include "cli/CliCommand.h"

// `list [--json | --jsonl] [-r] [--mask MASK] [--files-from FILE] PATH...`: reads every path
// and prints the images found.
// A folder is listed by its files that match the mask; with -r by those of every folder
// below it as well.
TCliCommand AddListCommand(CLI::App& app);
