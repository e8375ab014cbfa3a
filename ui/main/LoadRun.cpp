#include "ui/main/LoadRun.h"

#include <utility>

#include "icons/ParallelLoad.h"

TLoadRun::TLoadRun() = default;

TLoadRun::~TLoadRun() {
    cancelled_ = true;
    Join();
}

void TLoadRun::Begin() {
    Loading = true;
    AbortLoad = false;
}

void TLoadRun::Start(std::vector<std::string> Paths, TLoadOptions Options) {
    Join();
    cancelled_ = false;
    done_ = 0;
    read_.clear();
    reason_.clear();
    worker_ = std::thread([this, paths = std::move(Paths), Options] {
        Read(paths, Options);
        QMetaObject::invokeMethod(
            this,
            [this] {
                Join();
                emit Finished();
            },
            Qt::QueuedConnection);
    });
}

void TLoadRun::Abort() {
    AbortLoad = true;
    cancelled_ = true;
}

std::vector<std::unique_ptr<TLoadedIcon>> TLoadRun::TakeIcons() {
    std::lock_guard lock(mutex_);
    return std::exchange(read_, {});
}

std::string TLoadRun::Reason() {
    std::lock_guard lock(mutex_);
    return reason_;
}

void TLoadRun::End() {
    Loading = false;
}

// Runs on the worker thread. A failure beyond a single file (memory exhausted) ends the
// reading early; the run then ends with what was read.
void TLoadRun::Read(const std::vector<std::string>& paths, const TLoadOptions& load) {
    TParallelLoadOptions options;
    options.Load = load;
    options.Cancelled = [this] { return cancelled_.load(); };
    try {
        LoadInParallel(paths, options, [this, one = paths.size() == 1](TLoadOutcome&& outcome) {
            {
                std::lock_guard lock(mutex_);
                if (outcome.Icon) read_.push_back(std::move(outcome.Icon));
                if (one) reason_ = outcome.Error;
            }
            ++done_;
            PostProgress();
        });
    } catch (...) {
        cancelled_ = true;
    }
}

// At most one progress notice waits in the window's queue; it reports the count of its time.
void TLoadRun::PostProgress() {
    if (progressPosted_.exchange(true)) return;
    QMetaObject::invokeMethod(
        this,
        [this] {
            progressPosted_ = false;
            emit Progress(done_.load());
        },
        Qt::QueuedConnection);
}

void TLoadRun::Join() {
    if (worker_.joinable()) worker_.join();
}
