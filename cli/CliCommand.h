#pragma once

#include <functional>
#include <ostream>
#include <string>

namespace CLI {
class App;
}

// Exit codes of the command-line tool.
enum TExitCode { kExitOk = 0, kExitFailure = 1, kExitUsage = 2 };

// Where a command prints: its results on Out, failures (and, when Err is a terminal, one
// updating progress line) on Err.
struct TCliOutput {
    std::ostream& Out;
    std::ostream& Err;
    bool ErrIsTerminal = false;
};

// A command registered on the tool's parser: its subcommand, and what runs it once the command
// line has been parsed into the options it bound. Run returns the exit code.
struct TCliCommand {
    CLI::App* Command = nullptr;
    std::function<int(const TCliOutput&)> Run;
};

// Thrown when parsed arguments cannot be used together; reported like a parse error.
class TUsageError : public std::exception {
public:
    explicit TUsageError(std::string message) : message_(std::move(message)) {}
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};
