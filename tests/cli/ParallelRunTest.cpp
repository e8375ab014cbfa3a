#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>

#include "IcoBuilder.h"
#include "TempDir.h"
#include "cli/CliMain.h"
#include "icons/FileContent.h"

namespace {

std::string Output(std::vector<std::string> args) {
    std::ostringstream out, err;
    EXPECT_EQ(RunCli(args, out, err), 0) << err.str();
    return out.str();
}

// Every file below a folder by its relative name, with its bytes.
std::map<std::string, ByteString> Contents(const std::filesystem::path& folder) {
    std::map<std::string, ByteString> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        files[entry.path().lexically_relative(folder).string()] =
            ReadFileContent(entry.path().string());
    return files;
}

}  // namespace

TEST(ParallelRun, ListingAndExportMatchOneThread) {
    // Files of one name in many folders: their exports collide and get numbered suffixes.
    TempDir dir;
    for (int i = 0; i < 24; ++i) {
        std::uint8_t fill = static_cast<std::uint8_t>(i);
        dir.Write("in/d" + std::to_string(i % 6) + "/f" + std::to_string(i / 6) + "/same.ico",
                  BuildIco({EntryFor({16, 16, 4, fill}), EntryFor({32, 32, 8, fill})}));
    }
    std::string in = (dir.Path() / "in").string();
    std::string serial = Output({"list", "--json", "-r", "-j", "1", in});
    EXPECT_EQ(Output({"list", "--json", "-r", "--jobs=4", in}), serial);
    EXPECT_EQ(Output({"list", "-r", "-j", "3", in}), Output({"list", "-r", "-j", "1", in}));

    std::string one = (dir.Path() / "one").string(), four = (dir.Path() / "four").string();
    std::string lines = Output({"export", "-r", "-j", "1", "-o", one, in});
    EXPECT_NE(lines.find("same__16x16_(24).png"), std::string::npos);
    std::string parallelLines = Output({"export", "-r", "-j", "4", "-o", four, in});
    for (std::size_t at; (at = parallelLines.find(four)) != std::string::npos;)
        parallelLines.replace(at, four.size(), one);
    EXPECT_EQ(parallelLines, lines);
    EXPECT_EQ(Contents(four), Contents(one));
    EXPECT_EQ(Contents(one).size(), 48u);
}
