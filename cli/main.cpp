#include <unistd.h>

#include <iostream>

#include "cli/CliMain.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return RunCli(args, std::cout, std::cerr, isatty(STDERR_FILENO) == 1);
}
