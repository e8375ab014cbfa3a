#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "cli/CliCommand.h"

// Runs `marrowby2-cli` with its arguments (without the program name). ErrIsTerminal turns on
// the progress line of long runs. The first write to Out that fails (a stream over a
// TStandardOutputBuffer throws TStandardOutputError) stops the run with
// "marrowby2-cli: standard output: <reason>" on Err and exit code 1.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           bool ErrIsTerminal = false);
