#include <gtest/gtest.h>
#include <sys/resource.h>

#include <chrono>
#include <csignal>
#include <memory>
#include <set>
#include <thread>

#include "GroupBuilder.h"
#include "IcoBuilder.h"
#include "MiniJson.h"
#include "PeBuilder.h"
#include "TempDir.h"
#include "ToolProcess.h"
#include "hashes/Digest.h"
#include "icons/FileContent.h"

namespace {

bool Exited(int status, int code) {
    return WIFEXITED(status) && WEXITSTATUS(status) == code;
}

bool Killed(int status, int signal) {
    return WIFSIGNALED(status) && WTERMSIG(status) == signal;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) lines.push_back(line);
    return lines;
}

// A library of Count icon groups (#101 on), each one 32 x 32 32-bit image of its own.
ByteString Library(int count) {
    PeBuilder pe;
    for (int i = 1; i <= count; ++i) {
        DibSpec image{32, 32, 32, static_cast<std::uint8_t>(i)};
        pe.Icon(static_cast<std::uint16_t>(i), MakeDib(image));
        pe.Group({static_cast<std::uint16_t>(100 + i), {}},
                 BuildIconGroup({GroupEntryFor(image, static_cast<std::uint16_t>(i))}));
    }
    return pe.Build();
}

}  // namespace

TEST(CliProcess, StandardOutputFailuresStopTheRun) {
    TempDir dir;
    for (const char* name : {"a.ico", "b.ico", "c.ico"})
        dir.Write(std::string("in/") + name, BuildIco({EntryFor({16, 16, 4})}));
    std::string in = (dir.Path() / "in").string();
    std::string out = (dir.Path() / "out").string();

    // A full disk: every kind of output stops the run with the reason, also the manifest.
    int full = open("/dev/full", O_WRONLY);
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"list", "--jsonl", "-r", in}, {"--help"}, {"export", "--jsonl", "-o", out, in}}) {
        ToolProcess run(args, dir.Path(), full);
        EXPECT_TRUE(Exited(run.Wait(), 1)) << args[0];
        EXPECT_EQ(run.Err(), "marrowby2-cli: standard output: No space left on device\n");
    }
    close(full);

    // A reader that has gone ends the run by SIGPIPE, quietly, also where the signal was ignored.
    for (bool ignored : {false, true}) {
        int ends[2];
        ASSERT_EQ(pipe(ends), 0);
        close(ends[0]);
        ToolProcess run({"list", in}, dir.Path(), ends[1], [ignored] {
            if (ignored) std::signal(SIGPIPE, SIG_IGN);
        });
        close(ends[1]);
        EXPECT_TRUE(Killed(run.Wait(), SIGPIPE)) << ignored;
        EXPECT_EQ(run.Err(), "");
    }

    // More jobs than cores: no library warning.
    ToolProcess many({"list", "-j", "8", in}, dir.Path());
    EXPECT_TRUE(Exited(many.Wait(), 0));
    EXPECT_EQ(many.Err(), "");
    EXPECT_EQ(Lines(many.Out()).size(), 3u);
}

TEST(CliProcess, FilesPastTheFileSizeLimitFailAndLeaveNothing) {
    TempDir dir;
    std::string icon =
        dir.Write("in/two.ico", BuildIco({EntryFor({16, 16, 4}), EntryFor({48, 48, 24})}));
    std::string out = (dir.Path() / "out").string();
    // The 16 x 16 BMP takes 822 bytes, the 48 x 48 one 6966, past the limit.
    ToolProcess run({"export", "--jsonl", "--format", "bmp", "-o", out, icon}, dir.Path(), -1, [] {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{4096, 4096};
        setrlimit(RLIMIT_FSIZE, &limit);
    });
    EXPECT_TRUE(Exited(run.Wait(), 1));
    std::vector<std::string> lines = Lines(run.Out());
    ASSERT_EQ(lines.size(), 2u);
    JsonValue written = ParseJson(lines[0]), failed = ParseJson(lines[1]);
    EXPECT_EQ(written["output"].string, out + "/two__16x16.bmp");
    EXPECT_EQ(written["md5"].string, Md5Hex(ReadFileContent(out + "/two__16x16.bmp")));
    EXPECT_TRUE(failed["output"].IsNull());
    EXPECT_EQ(failed["reason"].string, "Error Writing BMP File! (File too large)");
    EXPECT_EQ(run.Err(), "marrowby2-cli: " + icon +
                             ": - 48x48 24 bpp: Error Writing BMP File! (File too large)\n"
                             "1 file written, 0 skipped, 1 failed\n");
    EXPECT_EQ(FileNamesIn(out), std::vector<std::string>{"two__16x16.bmp"});
}

TEST(CliProcess, TwoExportsIntoOneFolderKeepEveryFile) {
    TempDir dir;
    constexpr int kCount = 120;
    std::string library = dir.Write("in/lib.dll", Library(kCount));
    std::string out = (dir.Path() / "out").string();
    std::vector<std::unique_ptr<ToolProcess>> runs;
    for (const char* name : {"a", "b"}) {
        std::filesystem::create_directories(dir.Path() / name);
        runs.push_back(
            std::make_unique<ToolProcess>(std::vector<std::string>{"export", "--jsonl", "-j", "2",
                                                                   "-o", out, "--files-from", "-"},
                                          dir.Path() / name));
    }
    // Both wait for the path; given it at once, they write their files into one folder together.
    for (auto& run : runs) run->Input(library + "\n");
    for (auto& run : runs) run->CloseInput();
    std::set<std::string> outputs;
    for (auto& run : runs) {
        EXPECT_TRUE(Exited(run->Wait(), 0)) << run->Err();
        EXPECT_EQ(run->Err(), "120 files written, 0 skipped, 0 failed\n");
        std::vector<std::string> lines = Lines(run->Out());
        ASSERT_EQ(lines.size(), std::size_t{kCount});
        for (const std::string& line : lines) {
            JsonValue entry = ParseJson(line);
            const std::string& path = entry["output"].string;
            EXPECT_TRUE(outputs.insert(path).second) << path;
            EXPECT_EQ(entry["md5"].string, Md5Hex(ReadFileContent(path))) << path;
        }
    }
    EXPECT_EQ(FileNamesIn(out).size(), std::size_t{2 * kCount});
}

TEST(CliProcess, SigtermEndsAnExportWithItsSummary) {
    TempDir dir;
    std::string first = dir.Write("in/first.ico", BuildIco({EntryFor({16, 16, 4})}));
    std::string second = dir.Write("in/second.ico", BuildIco({EntryFor({16, 16, 4})}));
    std::string out = (dir.Path() / "out").string();
    std::filesystem::create_directories(out);
    ToolProcess run({"export", "-j", "1", "-o", out, "--files-from", "-"}, dir.Path());
    run.Input(first + "\n");
    // The first file is written while the run waits for the next path; then the signal comes,
    // and the path after it is not exported.
    for (int i = 0; i < 500 && FileNamesIn(out).empty(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    kill(run.Pid(), SIGTERM);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    run.Input(second + "\n");
    run.CloseInput();
    EXPECT_TRUE(Killed(run.Wait(), SIGTERM));
    EXPECT_EQ(run.Out(),
              out + "/first__16x16.png\n1 file written, 0 skipped, 0 failed, interrupted\n");
    EXPECT_EQ(FileNamesIn(out), std::vector<std::string>{"first__16x16.png"});
}
