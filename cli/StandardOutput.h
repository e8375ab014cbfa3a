#pragma once

#include <array>
#include <stdexcept>
#include <streambuf>

// A write to standard output that failed; what() is the system's reason.
class TStandardOutputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Standard output written with write(2) through a buffer that is emptied when full and on each
// flush. A write that fails throws TStandardOutputError, so the run stops at the first output
// lost (a stream passes the error on when badbit is among its exceptions). A pipe whose reader
// has gone ends the process by SIGPIPE even where the signal was ignored, so `| head` ends a
// run quietly.
class TStandardOutputBuffer : public std::streambuf {
public:
    TStandardOutputBuffer();

protected:
    int_type overflow(int_type c) override;
    int sync() override;

private:
    void Drain();

    std::array<char, 65536> buffer_{};
};
