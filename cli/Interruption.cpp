#include "cli/Interruption.h"

#include <atomic>

namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

// The signal that asked the run to stop, 0 before one came.
std::atomic<int> gReceived{0};
static_assert(std::atomic<int>::is_always_lock_free, "read and written in a signal handler");

// Restores the default action of Signal and delivers it to the process.
void RaiseByDefault(int signal) {
    struct sigaction fallback {};
    fallback.sa_handler = SIG_DFL;
    sigaction(signal, &fallback, nullptr);
    sigset_t mask;
    sigemptyset(&mask);
    sigaddset(&mask, signal);
    pthread_sigmask(SIG_UNBLOCK, &mask, nullptr);
    raise(signal);
}

extern "C" void OnStopSignal(int signal) {
    if (gReceived.exchange(signal) != 0) RaiseByDefault(signal);
}

}  // namespace

TInterruption::TInterruption() {
    gReceived = 0;
    struct sigaction handler {};
    handler.sa_handler = OnStopSignal;
    handler.sa_flags = SA_RESTART;
    sigemptyset(&handler.sa_mask);
    for (int signal : kSignals) sigaddset(&handler.sa_mask, signal);
    for (int i = 0; i < 3; ++i) {
        sigaction(kSignals[i], nullptr, &earlier_[i]);
        if (earlier_[i].sa_handler == SIG_IGN) continue;
        installed_[i] = sigaction(kSignals[i], &handler, nullptr) == 0;
    }
}

TInterruption::~TInterruption() {
    for (int i = 0; i < 3; ++i) {
        if (installed_[i]) sigaction(kSignals[i], &earlier_[i], nullptr);
    }
}

bool TInterruption::Requested() const {
    return gReceived != 0;
}

void TInterruption::Reraise() const {
    if (int signal = gReceived) RaiseByDefault(signal);
}
