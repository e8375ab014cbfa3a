#include <gtest/gtest.h>

#include <sstream>

#include "AniBuilder.h"
#include "CliRun.h"
#include "GroupBuilder.h"
#include "IcoBuilder.h"
#include "MiniJson.h"
#include "PeBuilder.h"
#include "TempDir.h"
#include "cli/CliMain.h"

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

}  // namespace

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
