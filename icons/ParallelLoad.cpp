#include "icons/ParallelLoad.h"

#include <tbb/info.h>
#include <tbb/parallel_pipeline.h>
#include <tbb/task_arena.h>

#include <atomic>
#include <cerrno>
#include <exception>
#include <memory>
#include <mutex>
#include <system_error>

#include "icons/PathAt.h"

namespace {

// Why Path is not a regular file that can be read, or nothing; a path that cannot be reached
// is left to the loader, which names the reason.
std::string NotAFile(const std::string& path) {
    struct stat status {};
    if (StatPath(path, status) != 0 || S_ISREG(status.st_mode)) return {};
    if (S_ISDIR(status.st_mode)) return std::generic_category().message(EISDIR);
    return std::string(kNotARegularFile);
}

TLoadOutcome LoadOne(const std::string& path, const TParallelLoadOptions& options) {
    TLoadOutcome outcome = LoadIconsWithReason(path, options.Load);
    // The loader reads regular files only and calls anything else not an icon source; asked
    // for files, a path that is no file says what it is instead.
    if (options.FilesOnly && outcome.Error == kNotAnIconSource) {
        if (std::string reason = NotAFile(path); !reason.empty()) outcome.Error = reason;
    }
    return outcome;
}

TLoadOutcome LoadAndPrepare(const std::string& path, const TParallelLoadOptions& options) {
    TLoadOutcome outcome = LoadOne(path, options);
    if (options.Prepare) outcome.Prepared = options.Prepare(outcome);
    return outcome;
}

}  // namespace

void LoadInParallel(const TNextPath& Next, const TParallelLoadOptions& Options,
                    const std::function<void(TLoadOutcome&&)>& Consume) {
    int jobs = Options.Jobs ? static_cast<int>(Options.Jobs) : tbb::info::default_concurrency();
    std::atomic<bool> stopped{false};
    // A stage that throws stops the reading instead of cancelling the pipeline, which would
    // drop the outcomes in flight without freeing them: the pipeline drains, every token is
    // freed, and the first failure is thrown again once it has.
    std::mutex failureMutex;
    std::exception_ptr failure;
    auto fail = [&] {
        const std::lock_guard lock(failureMutex);
        if (!failure) failure = std::current_exception();
        stopped = true;
    };

    // The path and the outcome travel between the stages behind pointers, so a token is cheap
    // to move.
    using TPath = std::unique_ptr<std::string>;
    using TToken = std::unique_ptr<TLoadOutcome>;
    auto take = tbb::make_filter<void, TPath>(
        tbb::filter_mode::serial_in_order, [&](tbb::flow_control& flow) -> TPath {
            if (!stopped && Options.Cancelled && Options.Cancelled()) stopped = true;
            auto path = std::make_unique<std::string>();
            try {
                if (!stopped && Next(*path)) return path;
            } catch (...) {
                fail();
            }
            flow.stop();
            return nullptr;
        });
    auto load = tbb::make_filter<TPath, TToken>(tbb::filter_mode::parallel, [&](TPath path) {
        auto outcome = std::make_unique<TLoadOutcome>();
        if (stopped) return outcome;
        try {
            *outcome = LoadAndPrepare(*path, Options);
        } catch (...) {
            fail();
        }
        return outcome;
    });
    auto consume =
        tbb::make_filter<TToken, void>(tbb::filter_mode::serial_in_order, [&](TToken outcome) {
            if (stopped) return;
            try {
                Consume(std::move(*outcome));
            } catch (...) {
                fail();
            }
        });
    // An arena of its own keeps the thread count to this run, whatever else uses oneTBB.
    tbb::task_arena arena(jobs);
    arena.execute([&] { tbb::parallel_pipeline(2 * jobs, take & load & consume); });
    if (failure) std::rethrow_exception(failure);
}

void LoadInParallel(const std::vector<std::string>& Paths, const TParallelLoadOptions& Options,
                    const std::function<void(TLoadOutcome&&)>& Consume) {
    std::size_t next = 0;
    auto nextPath = [&](std::string& path) {
        if (next == Paths.size()) return false;
        path = Paths[next++];
        return true;
    };
    LoadInParallel(nextPath, Options, Consume);
}
