#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/CliMain.h"

// What one run of the tool gave: its exit code and what it printed on stdout and stderr.
struct CliRun {
    int code;
    std::string out;
    std::string err;
};

inline CliRun Cli(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    int code = RunCli(args, out, err);
    return {code, out.str(), err.str()};
}
