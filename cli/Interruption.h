#pragma once

#include <csignal>

// SIGINT, SIGTERM and SIGHUP during a run. While an instance lives the first of them only asks
// the run to stop, so that it can finish or abandon the files in flight, remove their
// temporary files and print its summary; a second one ends the process at once. A signal the
// tool was started with ignored stays ignored.
class TInterruption {
public:
    TInterruption();
    // Puts the earlier handlers back.
    ~TInterruption();
    TInterruption(const TInterruption&) = delete;
    TInterruption& operator=(const TInterruption&) = delete;

    // Whether a signal asked the run to stop.
    bool Requested() const;
    // Ends the process by the signal that stopped the run, as it would have ended without the
    // handler, so that a shell sees the death by signal (status 130, 143 or 129). Returns when
    // no signal came.
    void Reraise() const;

private:
    struct sigaction earlier_[3]{};
    bool installed_[3] = {};
};
