// Loads every file below a folder through LoadIconsFromFile and reports files and megabytes
// per second and the peak resident memory. The folder is $MARROWBY_BENCH_DIR, else Wine's
// folder of 64-bit libraries (Debian's libwine) when it is there, else a generated one of
// large libraries whose icons are a small part of each file: listing must cost what the icon
// resources cost, not what the files weigh.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "GroupBuilder.h"
#include "PeBuilder.h"
#include "TempDir.h"
#include "icons/DirectoryScan.h"
#include "icons/LoadIcons.h"
#include "icons/PathList.h"

namespace {

constexpr const char* kWineFolder = "/usr/lib/x86_64-linux-gnu/wine/x86_64-windows";

// 40 libraries of about 8 MB: three icon groups and a 8 MB resource of another type.
std::string SyntheticFolder(const TempDir& dir) {
    const DibSpec formats[] = {
        {16, 16, 4, 1, 0, true}, {32, 32, 8, 2, 0, true}, {48, 48, 32, 3, 0, true}};
    PeBuilder pe(true);
    std::uint16_t id = 1;
    for (std::uint16_t group = 1; group <= 3; ++group) {
        std::vector<GroupEntry> entries;
        for (const DibSpec& layout : formats) {
            pe.Icon(id, MakeDib(layout));
            entries.push_back(GroupEntryFor(layout, id++));
        }
        pe.Group({group, {}}, BuildIconGroup(entries));
    }
    pe.Add(10, {1, {}}, {ByteString(8u << 20, 0x5A)});
    ByteString library = pe.Build();
    for (int i = 0; i < 40; ++i) dir.Write("lib" + std::to_string(i) + ".dll", library);
    return dir.Path().string();
}

// Resets the peak resident size, so that what the generated folder cost is not counted
// (Linux: writing 5 to clear_refs).
void ResetPeakMemory() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

double PeakMemoryMb() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
    }
    return 0;
}

void BM_LoadFolder(benchmark::State& state) {
    TempDir generated;
    const char* given = std::getenv("MARROWBY_BENCH_DIR");
    std::string root = given                                        ? given
                       : std::filesystem::is_directory(kWineFolder) ? kWineFolder
                                                                    : SyntheticFolder(generated);
    std::vector<std::string> files = BuildPathList(ListFolderTree(root), kIconFileMask);
    double bytes = 0;
    for (const std::string& file : files) {
        std::error_code error;
        bytes += static_cast<double>(std::filesystem::file_size(file, error));
    }

    double images = 0;
    ResetPeakMemory();
    for (auto _ : state) {
        images = 0;
        for (const std::string& file : files) {
            auto icon = LoadIconsFromFile(file);
            if (icon) images += icon->ImageCount;
            benchmark::DoNotOptimize(icon);
        }
    }
    using benchmark::Counter;
    state.counters["files"] = static_cast<double>(files.size());
    state.counters["images"] = images;
    state.counters["files/s"] =
        Counter(static_cast<double>(files.size()), Counter::kIsIterationInvariantRate);
    state.counters["MB/s"] = Counter(bytes / 1e6, Counter::kIsIterationInvariantRate);
    state.counters["peak_MB"] = PeakMemoryMb();
}

}  // namespace

BENCHMARK(BM_LoadFolder)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
