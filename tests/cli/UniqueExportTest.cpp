#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "CliRun.h"
#include "CorpusSources.h"
#include "MiniJson.h"
#include "hashes/Digest.h"
#include "icons/FileContent.h"

namespace {

// Every occurrence of `from` in text replaced by `to`.
std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at))
        text.replace(at, from.size(), to), at += to.size();
    return text;
}

}  // namespace

TEST(UniqueExport, EachDistinctImageOrIconIsWrittenOnceTheFirstMet) {
    CorpusSources sources;
    sources.dir.Write("in/zcopy.dll", ReadFileContent(sources.Path("in/app.dll")));
    const std::string in = sources.Path("in");

    // A and B from MAIN; #101, #102, the copy of the library and dup.ico's A repeat them.
    std::string out = sources.Path("single");
    CliRun single = Cli({"export", "--unique", "-j", "1", "--style", "file-resource-size", "-o",
                         out, in + "/app.dll", in + "/dup.ico", in + "/zcopy.dll"});
    EXPECT_EQ(single.code, 0) << single.err;
    EXPECT_EQ(single.out, out + "/app_MAIN_16x16.png\n" + out + "/app_MAIN_32x32.png\n" + out +
                              "/dup__48x48.png\n3 files written, 0 skipped, 0 failed, "
                              "9 duplicates left out\n");

    // The output is the same for every number of jobs.
    for (const char* jobs : {"2", "0"}) {
        std::string folder = sources.Path(std::string("jobs") + jobs);
        CliRun run = Cli({"export", "--unique", "-j", jobs, "-o", folder, in + "/app.dll",
                          in + "/dup.ico", in + "/zcopy.dll"});
        EXPECT_EQ(run.code, 0) << run.err;
        EXPECT_EQ(Replaced(run.out, folder, out), single.out) << jobs;
    }

    // By icon: #101 repeats MAIN; #102 (A alone) and dup.ico (A and C) are icons of their own.
    std::string icons = sources.Path("icons");
    CliRun multi =
        Cli({"export", "--unique", "--format", "ico", "--multi-format", "--style", "file-resource",
             "-o", icons, in + "/app.dll", in + "/dup.ico", in + "/zcopy.dll"});
    EXPECT_EQ(multi.code, 0) << multi.err;
    EXPECT_EQ(multi.out, icons + "/app_MAIN.ico\n" + icons + "/app_#102.ico\n" + icons +
                             "/dup_.ico\n3 files written, 0 skipped, 0 failed, "
                             "4 duplicates left out\n");

    // Without --unique the summary says nothing of duplicates.
    CliRun all = Cli({"export", "-o", sources.Path("all"), in + "/dup.ico"});
    EXPECT_NE(all.out.find("2 files written, 0 skipped, 0 failed\n"), std::string::npos);
}

TEST(UniqueExport, JsonlManifestHasALinePerFileWrittenOrNot) {
    CorpusSources sources;
    std::string out = sources.Path("out");
    std::vector<std::string> args{
        "export",        "--jsonl", "--unique", "--style",
        "resource-size", "-o",      out,        sources.Path("in/app.dll")};
    CliRun run = Cli(args);
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.err, "2 files written, 0 skipped, 0 failed, 3 duplicates left out\n");
    std::istringstream lines(run.out);
    std::vector<JsonValue> entries;
    for (std::string line; std::getline(lines, line);) entries.push_back(ParseJson(line));
    ASSERT_EQ(entries.size(), 5u);
    EXPECT_EQ(entries[0].keys,
              (std::vector<std::string>{"path", "resourceName", "imageIndex", "output", "md5"}));
    EXPECT_EQ(entries[0]["path"].string, sources.Path("in/app.dll"));
    EXPECT_EQ(entries[0]["resourceName"].string, "MAIN");
    EXPECT_EQ(entries[1]["imageIndex"].number, 1);
    EXPECT_EQ(entries[1]["output"].string, out + "/MAIN_32x32.png");
    EXPECT_EQ(entries[1]["md5"].string, Md5Hex(ReadFileContent(out + "/MAIN_32x32.png")));
    EXPECT_EQ(entries[4]["resourceName"].string, "#102");
    EXPECT_EQ(entries[4]["imageIndex"].number, 4);
    EXPECT_TRUE(entries[4]["output"].IsNull());
    EXPECT_EQ(entries[4]["reason"].string, "Duplicate of an earlier image");

    // Files that exist are named as skipped, with why.
    args.insert(args.begin() + 1, "--skip-existing");
    CliRun again = Cli(args);
    EXPECT_EQ(again.err, "0 files written, 2 skipped, 0 failed, 3 duplicates left out\n");
    JsonValue skipped = ParseJson(again.out.substr(0, again.out.find('\n')));
    EXPECT_TRUE(skipped["output"].IsNull());
    EXPECT_EQ(skipped["reason"].string, "File exists");
}
