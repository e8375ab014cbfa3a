#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "ImageBuilder.h"
#include "TempDir.h"
#include "icons/FileContent.h"
#include "icons/readers/IcoReader.h"
#include "writers/ExportRun.h"
#include "writers/ExportSummary.h"
#include "writers/WriterError.h"

namespace {

// Records what the run reports; cancels once `cancelAfter` questions were answered.
class RecordingProgress : public TExportProgress {
public:
    void PhaseStarted(TExportPhase phase, int maximum) override {
        Phases.emplace_back(phase, maximum);
    }
    void SourceFileChanged(const std::string& name) override { Sources.push_back(name); }
    void PositionChanged(int position) override { Positions.push_back(position); }
    void FileWritten(const std::string& path) override { Written.push_back(Name(path)); }
    void FileSkipped(const std::string& path) override { Skipped.push_back(Name(path)); }
    bool CancelRequested() override { return ++questions_ == cancelAfter; }

    static std::string Name(const std::string& path) {
        return std::filesystem::path(path).filename().string();
    }

    int cancelAfter = -1;
    std::vector<std::pair<TExportPhase, int>> Phases;
    std::vector<std::string> Sources;
    std::vector<int> Positions;
    std::vector<std::string> Written;
    std::vector<std::string> Skipped;

private:
    int questions_ = 0;
};

// Writes Text as the target's content, as a writer does.
void WriteText(const TOutputTarget& target, const std::string& text) {
    WriteOutputFile(target,
                    ByteView(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()),
                    "Error Writing Text File!");
}

// Writes the image's pixel width as the file's text, so tests can tell which image went where.
void WriteWidth(TLoadedIconImage& image, const TOutputTarget& target, TColor) {
    WriteText(target, std::to_string(image.PixelWidth()));
}

// Every image of the entries, as the loaded images of a grid that the filter hides nothing of.
TLoadedImages LoadedOf(const std::vector<TExportEntry>& entries) {
    TLoadedImages loaded;
    for (const TExportEntry& entry : entries) loaded.push_back(entry.Image);
    return loaded;
}

struct Grid {
    TLoadedIcon first;   // /src/first.dll: #101 in three sizes, #102 in two
    TLoadedIcon second;  // /src/second.ico: three images of an icon file
    std::vector<TExportEntry> entries;

    Grid() {
        first.FileName = "/src/first.dll";
        second.FileName = "/src/second.ico";
        Add(first, 16, "#101");
        Add(first, 32, "#101");
        Add(first, 16, "#102");
        Add(first, 48, "#101");
        Add(first, 32, "#102");
        Add(second, 16, "");
        Add(second, 32, "");
        Add(second, 48, "");
    }
    void Add(TLoadedIcon& icon, int size, const std::string& name) {
        entries.push_back({&AddImage(icon, size, size, 8, name), false});
    }
    TLoadedImages Loaded() const { return LoadedOf(entries); }
    void Select(std::initializer_list<int> positions) {
        for (int position : positions)
            entries[static_cast<std::size_t>(position - 1)].Selected = true;
    }
};

TExportOptions Options(const TempDir& dir, TExportFormat format, TExportStyle style,
                       const std::string& prefix = "") {
    TExportOptions options;
    options.Naming.Directory = dir.Path().string();
    options.Naming.Format = format;
    options.Naming.Style = style;
    options.Naming.Prefix = prefix;
    return options;
}

std::set<std::string> FilesIn(const TempDir& dir) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        names.insert(entry.path().filename().string());
    return names;
}

std::vector<int> WidthsInIcon(const std::filesystem::path& path) {
    std::unique_ptr<TLoadedIcon> icon = ReadIcoFile(path.string());
    std::vector<int> widths;
    for (const auto& image : icon->Images) widths.push_back(image->PixelWidth());
    return widths;
}

}  // namespace

TEST(ExportRun, SingleImageModeNamesByPositionAndResolvesCollisions) {
    TempDir dir;
    Grid grid;
    grid.Select({3, 7});
    RecordingProgress progress;
    TExportResult result = RunExport(
        grid.entries, grid.Loaded(),
        Options(dir, TExportFormat::Gif, TExportStyle::Numeric, "icon_"), progress, WriteWidth);
    EXPECT_EQ(result.Written, 2);
    EXPECT_EQ(progress.Written, (std::vector<std::string>{"icon_3.gif", "icon_7.gif"}));
    EXPECT_EQ(ReadFileContent((dir.Path() / "icon_7.gif").string()), (ByteString{'3', '2'}));
    EXPECT_EQ(progress.Phases,
              (std::vector<std::pair<TExportPhase, int>>{{TExportPhase::Writing, 2}}));
    EXPECT_EQ(progress.Positions, (std::vector<int>{1, 2}));
    EXPECT_EQ(progress.Sources, (std::vector<std::string>{"first.dll", "second.ico"}));

    // Two sizes of #101 under "Resource name": the second gets the suffix, or is skipped.
    TempDir other;
    Grid resources;
    resources.Select({1, 2});
    TExportOptions options = Options(other, TExportFormat::Bmp, TExportStyle::Resource);
    RecordingProgress named;
    RunExport(resources.entries, resources.Loaded(), options, named, WriteWidth);
    EXPECT_EQ(named.Written, (std::vector<std::string>{"#101.bmp", "#101_(2).bmp"}));
    options.Naming.SkipExisting = true;
    RecordingProgress skipping;
    result = RunExport(resources.entries, resources.Loaded(), options, skipping, WriteWidth);
    EXPECT_EQ(result.Written, 0);
    EXPECT_EQ(result.Skipped, 2);
    EXPECT_EQ(skipping.Skipped, (std::vector<std::string>{"#101.bmp", "#101_(2).bmp"}));
    EXPECT_EQ(skipping.Positions, (std::vector<int>{1, 2}));  // skipped files still count
    EXPECT_EQ(FilesIn(other), (std::set<std::string>{"#101.bmp", "#101_(2).bmp"}));
}

TEST(ExportRun, IconFormatWithoutMultiFormatWritesOneImagePerFile) {
    TempDir dir;
    Grid grid;
    grid.Select({1, 2});
    TExportOptions options = Options(dir, TExportFormat::Ico, TExportStyle::ResourceSize);
    RecordingProgress progress;
    RunExport(grid.entries, grid.Loaded(), options, progress);
    EXPECT_EQ(FilesIn(dir), (std::set<std::string>{"#101_16x16.ico", "#101_32x32.ico"}));
    EXPECT_EQ(WidthsInIcon(dir.Path() / "#101_32x32.ico"), (std::vector<int>{32}));

    // The multi-format option only applies to the icon format.
    TempDir png;
    options = Options(png, TExportFormat::Png, TExportStyle::Numeric);
    options.MultiFormat = true;
    RecordingProgress single;
    RunExport(grid.entries, grid.Loaded(), options, single, WriteWidth);
    EXPECT_EQ(single.Written, (std::vector<std::string>{"1.png", "2.png"}));
}

TEST(ExportRun, MultiFormatModeWritesEachIconOnceWithAllItsGridImages) {
    TempDir dir;
    Grid grid;
    grid.Select({2, 3, 4, 6});  // #101, #102, #101 again, the icon file
    TExportOptions options = Options(dir, TExportFormat::Ico, TExportStyle::ResourceSize);
    options.MultiFormat = true;
    RecordingProgress progress;
    TExportResult result = RunExport(grid.entries, grid.Loaded(), options, progress);
    EXPECT_EQ(result.Written, 3);
    // Sizes come from the first image of each icon in grid order, selected or not.
    EXPECT_EQ(progress.Written,
              (std::vector<std::string>{"#101_16x16.ico", "#102_16x16.ico", "_16x16.ico"}));
    EXPECT_EQ(WidthsInIcon(dir.Path() / "#101_16x16.ico"), (std::vector<int>{16, 32, 48}));
    EXPECT_EQ(WidthsInIcon(dir.Path() / "#102_16x16.ico"), (std::vector<int>{16, 32}));
    EXPECT_EQ(WidthsInIcon(dir.Path() / "_16x16.ico"), (std::vector<int>{16, 32, 48}));
    EXPECT_EQ(progress.Phases, (std::vector<std::pair<TExportPhase, int>>{
                                   {TExportPhase::Searching, 8}, {TExportPhase::Writing, 4}}));
    // Search positions count entries examined; the repeated #101 only advances the bar.
    EXPECT_EQ(progress.Positions, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 1, 2, 3, 4}));

    // Numeric names use the grid position of each icon's first selected image.
    TempDir numbered;
    options = Options(numbered, TExportFormat::Ico, TExportStyle::Numeric, "n");
    options.MultiFormat = true;
    RecordingProgress numeric;
    RunExport(grid.entries, grid.Loaded(), options, numeric);
    EXPECT_EQ(numeric.Written, (std::vector<std::string>{"n_2.ico", "n_3.ico", "n_6.ico"}));
}

TEST(ExportRun, EqualResourceNamesOfDifferentFilesAreSeparateIcons) {
    TempDir dir;
    TLoadedIcon a, b;
    a.FileName = "/x/a.dll";
    b.FileName = "/y/a.dll";
    std::vector<TExportEntry> entries{{&AddImage(a, 16, 16, 4, "#1"), true},
                                      {&AddImage(b, 16, 16, 4, "#1"), true}};
    TExportOptions options = Options(dir, TExportFormat::Ico, TExportStyle::FileResource);
    options.MultiFormat = true;
    RecordingProgress progress;
    RunExport(entries, LoadedOf(entries), options, progress);
    EXPECT_EQ(progress.Written, (std::vector<std::string>{"a_#1.ico", "a_#1_(2).ico"}));
    options.Naming.SkipExisting = true;
    RecordingProgress again;
    TExportResult result = RunExport(entries, LoadedOf(entries), options, again);
    EXPECT_EQ(result.Skipped, 2);
    EXPECT_EQ(FilesIn(dir).size(), 2u);
}

TEST(ExportRun, CancelStopsAfterTheCurrentFile) {
    Grid grid;
    grid.Select({1, 3, 5, 7});
    TempDir single;
    RecordingProgress one;
    one.cancelAfter = 1;
    TExportResult result =
        RunExport(grid.entries, grid.Loaded(),
                  Options(single, TExportFormat::Png, TExportStyle::Numeric), one, WriteWidth);
    EXPECT_TRUE(result.Cancelled);
    EXPECT_EQ(FilesIn(single), (std::set<std::string>{"1.png"}));

    TExportOptions multi;
    TempDir searching;
    multi = Options(searching, TExportFormat::Ico, TExportStyle::Numeric);
    multi.MultiFormat = true;
    RecordingProgress early;
    early.cancelAfter = 5;  // during the search
    result = RunExport(grid.entries, grid.Loaded(), multi, early);
    EXPECT_TRUE(result.Cancelled);
    EXPECT_TRUE(FilesIn(searching).empty());

    TempDir writing;
    multi.Naming.Directory = writing.Path().string();
    RecordingProgress late;
    late.cancelAfter = 8 + 1;  // after the first icon file
    result = RunExport(grid.entries, grid.Loaded(), multi, late);
    EXPECT_TRUE(result.Cancelled);
    EXPECT_EQ(result.Written, 1);
    EXPECT_EQ(FilesIn(writing), (std::set<std::string>{"1.ico"}));
}

TEST(ExportRun, FilesThatCannotBeWrittenAreListedAndTheRunGoesOn) {
    TempDir dir;
    Grid grid;
    grid.Select({1, 2, 3});
    int calls = 0;
    auto failSecond = [&](TLoadedIconImage& image, const TOutputTarget& target, TColor background) {
        if (++calls == 2) throw TWriteError("Error Writing BMP File! (No space left on device)");
        WriteWidth(image, target, background);
    };
    RecordingProgress progress;
    TExportResult result =
        RunExport(grid.entries, grid.Loaded(),
                  Options(dir, TExportFormat::Bmp, TExportStyle::Numeric), progress, failSecond);
    EXPECT_EQ(result.Written, 2);
    ASSERT_EQ(result.Failed.size(), 1u);
    EXPECT_EQ(result.Failed[0].Path, (dir.Path() / "2.bmp").string());
    EXPECT_EQ(result.Failed[0].Reason, "Error Writing BMP File! (No space left on device)");
    EXPECT_EQ(FilesIn(dir), (std::set<std::string>{"1.bmp", "3.bmp"}));
    EXPECT_EQ(progress.Positions, (std::vector<int>{1, 2, 3}));

    // Multi-format icons into a folder that is gone: each fails with the system's reason.
    TExportOptions missing = Options(dir, TExportFormat::Ico, TExportStyle::Numeric);
    missing.Naming.Directory = (dir.Path() / "gone").string();
    missing.MultiFormat = true;
    RecordingProgress none;
    result = RunExport(grid.entries, grid.Loaded(), missing, none);
    EXPECT_EQ(result.Written, 0);
    ASSERT_EQ(result.Failed.size(), 2u);
    EXPECT_EQ(result.Failed[1].Reason, "Error Opening File " + missing.Naming.Directory +
                                           "/3.ico! (No such file or directory)");

    // A damaged image is left out and named in the report with its reason.
    TempDir other;
    grid.entries[2].Image->MarkDamaged("the file ends 17 bytes into the image");
    RecordingProgress damaged;
    result =
        RunExport(grid.entries, grid.Loaded(),
                  Options(other, TExportFormat::Bmp, TExportStyle::Numeric), damaged, WriteWidth);
    EXPECT_EQ(FilesIn(other), (std::set<std::string>{"1.bmp", "2.bmp"}));
    EXPECT_EQ(ExportSummaryText(result),
              "2 files written, 1 skipped, 0 failed.\r\n\r\nDamaged images skipped:\r\n"
              "first.dll #102 16x16 8 bpp: the file ends 17 bytes into the image");
}

// The first run exports what the filter shows, the second every image; both skip existing
// files, so together they write what one run into an empty folder writes.
TEST(ExportRun, ASecondRunWithSkippingWritesExactlyTheRest) {
    TLoadedIcon library;
    library.FileName = "/src/lib.dll";
    std::vector<TExportEntry> all, deepOnly;
    for (int size : {16, 32}) {
        for (int depth : {4, 8, 32}) {
            TLoadedIconImage& image = AddImage(library, size, size, depth, "#1");
            all.push_back({&image, true});
            if (depth == 32) deepOnly.push_back({&image, true});
        }
    }
    auto writeSizeAndDepth = [](TLoadedIconImage& image, const TOutputTarget& target, TColor) {
        WriteText(target,
                  std::to_string(image.PixelWidth()) + "x" + std::to_string(image.BitCount));
    };
    TempDir dir;
    TExportOptions options = Options(dir, TExportFormat::Png, TExportStyle::FileResourceSize);
    options.Naming.SkipExisting = true;
    RecordingProgress first;
    RunExport(deepOnly, LoadedOf(all), options, first, writeSizeAndDepth);
    EXPECT_EQ(first.Written,
              (std::vector<std::string>{"lib_#1_16x16_(3).png", "lib_#1_32x32_(3).png"}));

    RecordingProgress second;
    TExportResult result = RunExport(all, LoadedOf(all), options, second, writeSizeAndDepth);
    EXPECT_EQ(result.Written, 4);
    EXPECT_EQ(result.Skipped, 2);
    EXPECT_EQ(second.Written,
              (std::vector<std::string>{"lib_#1_16x16.png", "lib_#1_16x16_(2).png",
                                        "lib_#1_32x32.png", "lib_#1_32x32_(2).png"}));
    EXPECT_EQ(second.Skipped,
              (std::vector<std::string>{"lib_#1_16x16_(3).png", "lib_#1_32x32_(3).png"}));

    TempDir empty;
    options.Naming.Directory = empty.Path().string();
    options.Naming.SkipExisting = false;
    RecordingProgress once;
    RunExport(all, LoadedOf(all), options, once, writeSizeAndDepth);
    EXPECT_EQ(FilesIn(empty), FilesIn(dir));
    // Each image lands under the same name either way.
    for (const std::string& name : FilesIn(dir)) {
        EXPECT_EQ(ReadFileContent((dir.Path() / name).string()),
                  ReadFileContent((empty.Path() / name).string()))
            << name;
    }
}
