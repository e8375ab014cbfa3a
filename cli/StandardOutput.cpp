#include "cli/StandardOutput.h"

#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <system_error>

namespace {

// Ends the process as a write to a pipe without reader does by default.
void DieOfBrokenPipe() {
    std::signal(SIGPIPE, SIG_DFL);
    sigset_t pipe;
    sigemptyset(&pipe);
    sigaddset(&pipe, SIGPIPE);
    pthread_sigmask(SIG_UNBLOCK, &pipe, nullptr);
    std::raise(SIGPIPE);
}

}  // namespace

TStandardOutputBuffer::TStandardOutputBuffer() {
    setp(buffer_.data(), buffer_.data() + buffer_.size());
}

TStandardOutputBuffer::int_type TStandardOutputBuffer::overflow(int_type c) {
    Drain();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
    }
    return traits_type::not_eof(c);
}

int TStandardOutputBuffer::sync() {
    Drain();
    return 0;
}

void TStandardOutputBuffer::Drain() {
    const char* next = pbase();
    const char* end = pptr();
    setp(buffer_.data(), buffer_.data() + buffer_.size());
    while (next < end) {
        ssize_t written = ::write(STDOUT_FILENO, next, static_cast<std::size_t>(end - next));
        if (written >= 0) {
            next += written;
        } else if (errno != EINTR) {
            int error = errno;
            if (error == EPIPE) DieOfBrokenPipe();
            throw TStandardOutputError(std::generic_category().message(error));
        }
    }
}
