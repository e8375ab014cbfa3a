#pragma once

#include <ostream>
#include <string>
#include <vector>

// Exit codes of the command-line tool.
enum TExitCode { kExitOk = 0, kExitFailure = 1, kExitUsage = 2 };

// Runs `marrowby2-cli` with its arguments (without the program name).
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Thrown by a command when its arguments cannot be used; RunCli prints the usage text.
class TUsageError : public std::exception {
public:
    explicit TUsageError(std::string message) : message_(std::move(message)) {}
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};
