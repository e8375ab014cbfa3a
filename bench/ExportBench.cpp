// Export of every image of Wine's shell32.dll in each format; multi-format and single-image
// export of a large library (every image of a file with
// hundreds of icon groups), and the drawing of one grid cell. Reports files and megabytes
// written per second, and cells drawn per second.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

#include "GroupBuilder.h"
#include "ImageBuilder.h"
#include "PeBuilder.h"
#include "TempDir.h"
#include "icons/LoadIcons.h"
#include "icons/Rendering.h"
#include "writers/ExportRun.h"

namespace {

constexpr int kGroups = 300;

// A library of kGroups icon groups, each with 16 x 16 4-bit, 32 x 32 8-bit, 48 x 48 32-bit
// and 256 x 256 32-bit images.
std::unique_ptr<TLoadedIcon> LoadLargeLibrary(const TempDir& dir) {
    const DibSpec formats[] = {
        {16, 16, 4, 1, 0, true}, {32, 32, 8, 2, 0, true}, {48, 48, 32, 3, 0, true}};
    DibSpec large{256, 256, 32, 4, 0, true};
    PeBuilder pe;
    std::uint16_t id = 1;
    for (std::uint16_t group = 1; group <= kGroups; ++group) {
        std::vector<GroupEntry> entries;
        for (const DibSpec& layout : formats) {
            pe.Icon(id, MakeDib(layout));
            entries.push_back(GroupEntryFor(layout, id++));
        }
        pe.Icon(id, MakeDib(large));
        GroupEntry full = GroupEntryFor(large, id++);
        full.width = full.height = 0;  // 256 is stored as 0
        entries.push_back(full);
        pe.Group({group, {}}, BuildIconGroup(entries));
    }
    return LoadIconsFromFile(dir.Write("large.dll", pe.Build()));
}

std::vector<TExportEntry> AllSelected(const TLoadedIcon& icon) {
    std::vector<TExportEntry> entries;
    for (const auto& image : icon.Images) entries.push_back({image.get(), true});
    return entries;
}

// Runs one export per iteration into a fresh folder, so no run meets the files of another.
void RunExports(benchmark::State& state, const TLoadedIcon& icon, TExportFormat format,
                bool multiFormat) {
    TempDir dir;
    std::vector<TExportEntry> entries = AllSelected(icon);
    TLoadedImages loaded;
    for (const TExportEntry& entry : entries) loaded.push_back(entry.Image);
    TExportOptions options;
    options.Naming.Format = format;
    options.MultiFormat = multiFormat;
    TExportProgress progress;
    double files = 0;
    double bytes = 0;
    int run = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::path out = dir.Path() / ("run" + std::to_string(run++));
        std::filesystem::create_directory(out);
        options.Naming.Directory = out.string();
        state.ResumeTiming();
        files = RunExport(entries, loaded, options, progress).Written;
        state.PauseTiming();
        bytes = 0;
        for (const auto& file : std::filesystem::directory_iterator(out))
            bytes += static_cast<double>(file.file_size());
        std::filesystem::remove_all(out);
        state.ResumeTiming();
    }
    using benchmark::Counter;
    state.counters["images"] = static_cast<double>(entries.size());
    state.counters["files"] = files;
    state.counters["files/s"] = Counter(files, Counter::kIsIterationInvariantRate);
    state.counters["MB/s"] = Counter(bytes / 1e6, Counter::kIsIterationInvariantRate);
}

// Every image of Wine's shell32.dll (Debian's libwine), one file each, in the format the
// argument names: 0 BMP, 1 ICO, 2 GIF, 3 PNG.
void BM_ExportShell32(benchmark::State& state) {
    const TExportFormat formats[] = {TExportFormat::Bmp, TExportFormat::Ico, TExportFormat::Gif,
                                     TExportFormat::Png};
    std::unique_ptr<TLoadedIcon> icon =
        LoadIconsFromFile("/usr/lib/x86_64-linux-gnu/wine/x86_64-windows/shell32.dll");
    if (!icon) {
        state.SkipWithError("Wine's shell32.dll is not installed (libwine)");
        return;
    }
    RunExports(state, *icon, formats[state.range(0)], false);
}

void BM_ExportMultiFormatIco(benchmark::State& state) {
    TempDir dir;
    RunExports(state, *LoadLargeLibrary(dir), TExportFormat::Ico, true);
}

void BM_ExportEachImageAsPng(benchmark::State& state) {
    TempDir dir;
    RunExports(state, *LoadLargeLibrary(dir), TExportFormat::Png, false);
}

// One grid cell: a prepared image drawn over a white cell.
void BM_DrawCell(benchmark::State& state) {
    const int size = static_cast<int>(state.range(0));
    auto image = MakeImage(size, size, static_cast<int>(state.range(1)));
    for (int x = 0; x < size; ++x) SetMaskBit(*image, x, x, true);
    TBitmap cell(size, size, TPixelFormat::pf24bit);
    for (auto _ : state) {
        DrawIconImage(*image, cell.Canvas(), 0, 0, clWhite);
        benchmark::DoNotOptimize(cell.ScanLine(0));
    }
    state.counters["cells/s"] =
        benchmark::Counter(1, benchmark::Counter::kIsIterationInvariantRate);
}

}  // namespace

BENCHMARK(BM_ExportShell32)->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ExportMultiFormatIco)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ExportEachImageAsPng)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_DrawCell)->Args({32, 4})->Args({32, 32})->Args({48, 32})->Args({256, 32});
BENCHMARK_MAIN();
