#include <fcntl.h>
#include <gtest/gtest.h>
#include <limits.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>

#include "AniBuilder.h"
#include "CliRun.h"
#include "GroupBuilder.h"
#include "IcoBuilder.h"
#include "MiniJson.h"
#include "PeBuilder.h"
#include "TempDir.h"
#include "cli/CliMain.h"
#include "hashes/Digest.h"

namespace {

struct Listing {
    int code;
    std::vector<std::string> paths;
    std::vector<int> counts;  // images per path, -1 for "icon": null
    std::string err;
};

Listing List(std::vector<std::string> args) {
    args.insert(args.begin(), {"list", "--json"});
    std::ostringstream out, err;
    Listing listing{RunCli(args, out, err), {}, {}, err.str()};
    if (listing.code == 2) return listing;
    JsonValue doc = ParseJson(out.str());
    for (const JsonValue& file : doc["files"].items) {
        listing.paths.push_back(file["path"].string);
        const JsonValue& icon = file["icon"];
        listing.counts.push_back(icon.IsNull() ? -1 : static_cast<int>(icon["imageCount"].number));
    }
    return listing;
}

// root/one.ico, root/sub/two.ani, root/sub/deep/three.dll, root/sub/notes.txt: one file per
// folder kind, one folder per level, so the order is fixed.
struct Tree {
    TempDir dir;
    std::string root = dir.Path().string();
    Tree() {
        dir.Write("one.ico", BuildIco({EntryFor({}), EntryFor({32, 32, 8, 1, 0, true})}));
        dir.Write("sub/two.ani", BuildAniFromFrames({BuildIco({EntryFor({})})}));
        DibSpec layout{48, 48, 32, 1, 0, true};
        PeBuilder pe(true);
        pe.Icon(1, MakeDib(layout)).Group({1, "APP"}, BuildIconGroup({GroupEntryFor(layout, 1)}));
        dir.Write("sub/deep/three.dll", pe.Build());
        dir.Write("sub/notes.txt", ByteString{'h', 'i'});
    }
};

// Folders nested below `root` until the path of the file in the deepest passes PATH_MAX, built
// and removed with the *at calls, which the length does not stop.
struct DeepFolders {
    std::string path;  // of the file in the deepest folder
    std::vector<int> folders;
    const std::string name = std::string(200, 'd');

    DeepFolders(const std::string& root, ByteView file) : path(root) {
        folders.push_back(::open(root.c_str(), O_RDONLY | O_DIRECTORY));
        while (path.size() <= PATH_MAX) {
            ::mkdirat(folders.back(), name.c_str(), 0755);
            folders.push_back(::openat(folders.back(), name.c_str(), O_RDONLY | O_DIRECTORY));
            path += "/" + name;
        }
        int out = ::openat(folders.back(), "deep.ico", O_WRONLY | O_CREAT, 0644);
        EXPECT_EQ(::write(out, file.data(), file.size()), static_cast<ssize_t>(file.size()));
        ::close(out);
        path += "/deep.ico";
    }
    ~DeepFolders() {
        ::unlinkat(folders.back(), "deep.ico", 0);
        for (std::size_t i = folders.size() - 1; i > 0; --i) {
            ::close(folders[i]);
            ::unlinkat(folders[i - 1], name.c_str(), AT_REMOVEDIR);
        }
        ::close(folders.front());
    }
};

}  // namespace

TEST(ListCommand, PathsPastPathMaxAreReadAndUnlistableFoldersFailTheRun) {
    TempDir dir;
    ByteString ico = BuildIco({EntryFor({}), EntryFor({32, 32, 8, 1, 0, true})});
    DeepFolders deep(dir.Path().string(), ico);
    ASSERT_GT(deep.path.size(), static_cast<std::size_t>(PATH_MAX));

    CliRun hashed = Cli({"list", "--jsonl", "--hash", "-r", dir.Path().string()});
    ASSERT_EQ(hashed.code, 0) << hashed.err;
    JsonValue entry = ParseJson(hashed.out);  // one line: the deep file is the only one
    EXPECT_EQ(entry["path"].string, deep.path);
    EXPECT_EQ(entry["icon"]["imageCount"].number, 2);
    TDigest sha256(TDigest::TKind::Sha256);
    sha256.Update(ico);
    EXPECT_EQ(entry["sha256"].string, sha256.FinalHex());
    EXPECT_NE(Cli({"list", deep.path}).out.find(deep.path + "  -  32 x 32  8 bpp\n"),
              std::string::npos);
    std::string out = (dir.Path() / "out").string();
    CliRun exported = Cli({"export", "-r", "-o", out, dir.Path().string()});
    EXPECT_EQ(exported.code, 0) << exported.err;
    EXPECT_EQ(FileNamesIn(out).size(), 2u);

    // A folder that cannot be listed is named with the system's reason and fails the run; the
    // rest is still read. (Permissions do not stop root.)
    if (::geteuid() == 0) return;
    std::filesystem::create_directory(dir.Path() / "locked");
    std::filesystem::permissions(dir.Path() / "locked", std::filesystem::perms::none);
    for (const auto& args :
         std::vector<std::vector<std::string>>{{"list", "-r", dir.Path().string()},
                                               {"export", "-r", "-o", out, dir.Path().string()},
                                               {"list", (dir.Path() / "locked").string()}}) {
        CliRun run = Cli(args);
        EXPECT_EQ(run.code, 1);
        EXPECT_NE(run.err.find("marrowby2-cli: " + dir.Path().string() +
                               "/locked: Permission "
                               "denied\n"),
                  std::string::npos)
            << run.err;
    }
    std::filesystem::permissions(dir.Path() / "locked", std::filesystem::perms::owner_all);
}

TEST(ListCommand, RecursiveListsEveryFolderBelowInScanOrder) {
    Tree tree;
    Listing all = List({"-r", tree.root});
    ASSERT_EQ(all.code, 0) << all.err;
    EXPECT_EQ(all.paths,
              (std::vector<std::string>{tree.root + "/one.ico", tree.root + "/sub/two.ani",
                                        tree.root + "/sub/deep/three.dll"}));
    EXPECT_EQ(all.counts, (std::vector<int>{2, 1, 1}));

    Listing flat = List({tree.root + "/sub"});  // a folder without -r: its own files
    EXPECT_EQ(flat.paths, (std::vector<std::string>{tree.root + "/sub/two.ani"}));

    Listing everything = List({"--recursive", "--mask", "*.*", tree.root + "/sub/"});
    std::vector<std::string> sorted = everything.paths;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted,
              (std::vector<std::string>{tree.root + "/sub/deep/three.dll",
                                        tree.root + "/sub/notes.txt", tree.root + "/sub/two.ani"}));
    EXPECT_EQ(everything.paths.back(), tree.root + "/sub/deep/three.dll");  // subfolder last
}

TEST(ListCommand, MaskFilesAndUsageErrors) {
    Tree tree;
    Listing dlls = List({"-r", "--mask", "*.dll", tree.root});
    EXPECT_EQ(dlls.paths, (std::vector<std::string>{tree.root + "/sub/deep/three.dll"}));
    // Files are read whatever the mask; a missing path is listed with no icon.
    Listing files = List({"--mask", "*.dll", "-r", tree.root + "/one.ico", tree.root + "/gone"});
    EXPECT_EQ(files.paths, (std::vector<std::string>{tree.root + "/one.ico", tree.root + "/gone"}));
    EXPECT_EQ(files.counts, (std::vector<int>{2, -1}));
    EXPECT_TRUE(List({"-r", tree.root + "/sub/deep/", "--mask", "*.ico"}).paths.empty());

    for (const auto& args : std::vector<std::vector<std::string>>{
             {"--mask"}, {tree.root, "--mask"}, {"-r"}, {"-x", tree.root}}) {
        Listing bad = List(args);
        EXPECT_EQ(bad.code, 2);
        EXPECT_NE(bad.err.find("--help"), std::string::npos);
    }
}

// A folder stands for the files whose names match one of the mask's patterns, in any case;
// each is read by its content, so a C source named .ico is no icon source and an icon named
// .txt is read under "*".
TEST(ListCommand, FilesAreTakenByPatternAndReadByContent) {
    TempDir dir;
    const std::string source = "#include <stdio.h>\nint main(void) { return 0; }\n";
    for (const char* name : {"a.c", "a.ico", "a.cu", "a.dl", "a.e"}) {
        dir.Write(name, ByteString(source.begin(), source.end()));
    }
    dir.Write("B.ICO", BuildIco({EntryFor({})}));
    dir.Write("icon.txt", BuildIco({EntryFor({})}));
    const std::string root = dir.Path().string();
    auto sorted = [](Listing listing) {
        std::vector<std::pair<std::string, int>> files;
        for (std::size_t i = 0; i < listing.paths.size(); ++i)
            files.emplace_back(listing.paths[i], listing.counts[i]);
        std::sort(files.begin(), files.end());
        return files;
    };
    using Files = std::vector<std::pair<std::string, int>>;
    EXPECT_EQ(sorted(List({root})), (Files{{root + "/B.ICO", 1}, {root + "/a.ico", -1}}));
    EXPECT_EQ(sorted(List({"--mask", "*.C; *.txt", "-r", root})),
              (Files{{root + "/a.c", -1}, {root + "/icon.txt", 1}}));
    EXPECT_EQ(sorted(List({"--mask", "*", root})).size(), 7u);

    CliRun text = Cli({"list", root + "/a.ico", root + "/a.c"});
    EXPECT_EQ(text.out, root + "/a.ico: no icons: Not an icon source\n" + root +
                            "/a.c: no icons: Not an icon source\n");
    EXPECT_EQ(text.code, 0);
}
