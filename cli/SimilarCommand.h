#pragma once

#include "cli/CliCommand.h"

// `similar (--like HASH|FILE... | --clusters [--all]) [--max-distance K] [--ignore FILE]
// [--min-bits N] [LISTING...]`: reads the JSON lines of `list --jsonl --hash` (standard input
// when none are named) and prints the groups whose dhash lies within K of a query, or the
// clusters of groups within K of each other.
TCliCommand AddSimilarCommand(CLI::App& app);
