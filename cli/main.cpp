#include <unistd.h>

#include <iostream>

#include "cli/CliMain.h"
#include "cli/StandardOutput.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    TStandardOutputBuffer buffer;
    std::ostream out(&buffer);
    return RunCli(args, out, std::cerr, isatty(STDERR_FILENO) == 1);
}
