#include "icons/ParallelLoad.h"

#include <tbb/info.h>
#include <tbb/parallel_pipeline.h>
#include <tbb/task_arena.h>

#include <atomic>
#include <memory>

void LoadInParallel(const std::vector<std::string>& Paths, const TParallelLoadOptions& Options,
                    const std::function<void(TLoadOutcome&&)>& Consume) {
    int jobs = Options.Jobs ? static_cast<int>(Options.Jobs) : tbb::info::default_concurrency();
    std::size_t next = 0;
    std::atomic<bool> stopped{false};

    // The outcome travels between the stages behind a pointer, so a token is cheap to move.
    using TToken = std::unique_ptr<TLoadOutcome>;
    auto take = tbb::make_filter<void, std::size_t>(
        tbb::filter_mode::serial_in_order, [&](tbb::flow_control& flow) -> std::size_t {
            if (!stopped && Options.Cancelled && Options.Cancelled()) stopped = true;
            if (next == Paths.size() || stopped) {
                flow.stop();
                return 0;
            }
            return next++;
        });
    auto load =
        tbb::make_filter<std::size_t, TToken>(tbb::filter_mode::parallel, [&](std::size_t index) {
            return std::make_unique<TLoadOutcome>(LoadIconsWithReason(Paths[index]));
        });
    auto consume =
        tbb::make_filter<TToken, void>(tbb::filter_mode::serial_in_order, [&](TToken outcome) {
            if (!stopped) Consume(std::move(*outcome));
        });
    // An arena of its own keeps the thread count to this run, whatever else uses oneTBB.
    tbb::task_arena arena(jobs);
    arena.execute([&] { tbb::parallel_pipeline(2 * jobs, take & load & consume); });
}
