#pragma once

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <functional>

// Records the longest time between two turns of the event loop, also inside modal dialogs. It
// looks every few milliseconds rather than spinning the loop, which would take a core from the
// work being measured; a gap it records is at most that interval longer than the real one.
class TLoopWatch {
public:
    TLoopWatch() {
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setInterval(kIntervalMs);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (last_.isValid()) longest_ = std::max(longest_, last_.nsecsElapsed() / 1000000.0);
            last_.start();
        });
    }
    void Start() {
        longest_ = 0;
        last_.invalidate();
        timer_.start();
    }
    double Stop() {
        timer_.stop();
        return longest_;
    }

private:
    static constexpr int kIntervalMs = 5;
    QTimer timer_;
    QElapsedTimer last_;
    double longest_ = 0;
};

// Turns the event loop, as the program's own loop does, until the condition holds.
inline void TurnUntil(const std::function<bool()>& done) {
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (done()) loop.quit();
    });
    poll.start(1);
    loop.exec();
}
