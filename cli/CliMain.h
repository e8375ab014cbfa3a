#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "cli/CliCommand.h"

// Runs `marrowby2-cli` with its arguments (without the program name). ErrIsTerminal turns on
// the progress line of long runs.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           bool ErrIsTerminal = false);
