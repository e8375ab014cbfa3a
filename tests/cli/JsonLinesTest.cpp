#include <gtest/gtest.h>
#include <sys/stat.h>

#include "CliRun.h"
#include "IcoBuilder.h"
#include "MiniJson.h"
#include "TempDir.h"

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos;
         start = end + 1)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

std::string Joined(const std::vector<std::string>& parts, const std::string& separator) {
    std::string joined;
    for (const std::string& part : parts) joined += (joined.empty() ? "" : separator) + part;
    return joined;
}

ByteString Bytes(const std::string& text) {
    return ByteString(text.begin(), text.end());
}

}  // namespace

TEST(ListCommand, JsonLinesHoldTheDocumentsEntriesOnePerLine) {
    TempDir dir;
    std::string two = dir.Write("two.ico", BuildIco({EntryFor({16, 16, 4, 1, 0, true}),
                                                     EntryFor({48, 48, 32, 1, 0, true})}));
    std::string one = dir.Write("sub/one.ico", BuildIco({EntryFor({32, 32, 8, 1, 0, true})}));
    std::string text = dir.Write("sub/notes.txt", Bytes("hi"));
    std::string missing = dir.Path().string() + "/gone.ico";
    std::vector<std::string> paths{two, missing, dir.Path().string(), text};
    paths.insert(paths.begin(), "list");

    paths.insert(paths.begin() + 1, "--json");
    CliRun document = Cli(paths);
    paths[1] = "--jsonl";
    CliRun lines = Cli(paths);
    paths.push_back("-r");
    CliRun recursive = Cli(paths);

    EXPECT_EQ(lines.code, 1);
    EXPECT_EQ(lines.err, document.err);
    std::vector<std::string> entries = Lines(lines.out);
    ASSERT_EQ(entries.size(), 4u);  // two.ico, gone.ico, the folder's two.ico, notes.txt
    for (const std::string& entry : entries) EXPECT_NO_THROW(ParseJson(entry)) << entry;
    EXPECT_EQ(document.out, "{\"files\": [" + Joined(entries, ", ") + "]}\n");
    EXPECT_EQ(ParseJson(entries[1])["error"].string, "No such file or directory");

    std::vector<std::string> walked = Lines(recursive.out);
    ASSERT_EQ(walked.size(), 5u);  // the folder's files, then sub/one.ico
    EXPECT_EQ(ParseJson(walked[3])["path"].string, one);
    EXPECT_EQ(Cli({"list", "--json", "--jsonl", two}).code, 2);
}

TEST(ListCommand, FilesFromListTakesEachEntryAsAFile) {
    TempDir dir;
    std::string icon = dir.Write("one.ico", BuildIco({EntryFor({32, 32, 8, 1, 0, true})}));
    std::string folder = dir.Path().string();
    std::string fifo = folder + "/pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string missing = folder + "/gone.ico";
    std::string nulList = dir.Write(
        "paths.nul", Bytes(icon + '\0' + folder + '\0' + fifo + '\0' + '\0' + missing + '\0'));
    std::string lineList = dir.Write("paths.txt", Bytes(folder + "\n" + icon + "\n"));

    // PATH arguments first, then the list; every entry that is not a readable file gets its
    // error line, the run goes on and fails at the end.
    CliRun run = Cli({"list", "--jsonl", "--files-from", nulList, "-0", icon});
    EXPECT_EQ(run.code, 1);
    std::vector<std::string> lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 6u);  // the final separator adds no entry
    std::vector<std::string> shown, errors;
    for (const std::string& line : lines) {
        JsonValue entry = ParseJson(line);
        shown.push_back(entry["path"].string);
        errors.push_back(entry["icon"].IsNull() ? entry["error"].string : "");
    }
    EXPECT_EQ(shown, (std::vector<std::string>{icon, icon, folder, fifo, "", missing}));
    EXPECT_EQ(errors,
              (std::vector<std::string>{"", "", "Is a directory", "Not a regular file",
                                        "No such file or directory", "No such file or directory"}));
    EXPECT_EQ(ParseJson(lines[1])["icon"]["imageCount"].number, 1);
    EXPECT_EQ(Lines(run.err).size(), 4u);

    // Line lists feed export as well, without PATH arguments.
    std::string out = folder + "/out";
    CliRun exported = Cli({"export", "--files-from", lineList, "-o", out});
    EXPECT_EQ(exported.code, 1);
    EXPECT_EQ(exported.err, "marrowby2-cli: " + folder + ": Is a directory\n");
    EXPECT_EQ(FileNamesIn(out).size(), 1u);

    CliRun unopened = Cli({"list", "--files-from", missing});
    EXPECT_EQ(unopened.code, 1);
    EXPECT_EQ(unopened.err, "marrowby2-cli: " + missing + ": No such file or directory\n");
}
