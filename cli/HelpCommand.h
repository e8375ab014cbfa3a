#pragma once

#include "cli/CliCommand.h"

// `help [COMMAND]`: prints the usage of the tool, or of one command, on stdout.
TCliCommand AddHelpCommand(CLI::App& app);
