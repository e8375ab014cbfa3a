#include <gtest/gtest.h>

#include <filesystem>

#include "CliRun.h"
#include "CorpusSources.h"

// --group NAME and --main-icon choose the groups list, export and thumbnail read.
TEST(GroupOption, OnlyTheChosenGroupsAreReadAndAMissingNameFails) {
    CorpusSources sources;
    const std::string app = sources.Path("in/app.dll"), ico = sources.Path("in/dup.ico");

    // By id, and by name in another case.
    CliRun byId = Cli({"list", "--group", "#102", app, ico});
    EXPECT_EQ(byId.code, 0) << byId.err;
    EXPECT_EQ(byId.out, app + "  #102  16 x 16  4 bpp\n" + ico + ": 0 images\n");
    CliRun byName = Cli({"list", "--group", "main", "--group", "#102", app});
    EXPECT_EQ(byName.out, app + "  MAIN  16 x 16  4 bpp\n" + app + "  MAIN  32 x 32  8 bpp\n" +
                              app + "  #102  16 x 16  4 bpp\n");

    // The main icon: the library's first group, named before ids; an icon file is its own.
    CliRun main = Cli({"list", "--main-icon", app, ico});
    EXPECT_EQ(main.code, 0) << main.err;
    EXPECT_EQ(main.out, app + "  MAIN  16 x 16  4 bpp\n" + app + "  MAIN  32 x 32  8 bpp\n" + ico +
                            "  -  16 x 16  4 bpp\n" + ico + "  -  48 x 48  24 bpp\n");

    // Other groups are never read: a group naming a missing image does not spoil the file.
    PeBuilder broken;
    broken.Icon(1, MakeDib(sources.a));
    broken.Group({0, "GOOD"}, BuildIconGroup({GroupEntryFor(sources.a, 1)}));
    broken.Group({7, {}}, BuildIconGroup({GroupEntryFor(sources.b, 9)}));
    std::string spoilt = sources.dir.Write("in/broken.dll", broken.Build());
    CliRun good = Cli({"list", "--json", "--main-icon", spoilt});
    EXPECT_EQ(good.code, 0) << good.err;
    EXPECT_NE(good.out.find("\"imageCount\": 1"), std::string::npos) << good.out;

    // A name found in no file is named, and fails the run once everything else is done.
    CliRun missing = Cli({"list", "--group", "#101", "--group", "Nowhere", app});
    EXPECT_EQ(missing.code, 1);
    EXPECT_EQ(missing.out, app + "  #101  16 x 16  4 bpp\n" + app + "  #101  32 x 32  8 bpp\n");
    EXPECT_EQ(missing.err, "marrowby2-cli: group Nowhere: found in no file\n");

    // Export and thumbnail take the same options.
    std::string out = sources.Path("out");
    CliRun exported =
        Cli({"export", "--group", "#101", "--style", "resource-size", "-o", out, app, ico});
    EXPECT_EQ(exported.code, 0) << exported.err;
    EXPECT_EQ(exported.out, out + "/#101_16x16.png\n" + out +
                                "/#101_32x32.png\n2 files written, 0 skipped, 0 failed\n");
    std::string thumb = sources.Path("thumb.png");
    EXPECT_EQ(Cli({"thumbnail", "--group", "#102", app, thumb}).code, 0);
    EXPECT_TRUE(std::filesystem::exists(thumb));
    CliRun noThumb = Cli({"thumbnail", "--group", "#5", app, thumb});
    EXPECT_EQ(noThumb.code, 1);
    EXPECT_EQ(noThumb.err, "marrowby2-cli: group #5: found in no file\n");
}
