#include <gtest/gtest.h>
#include <png.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <map>
#include <set>
#include <sstream>
#include <system_error>

#include "GroupBuilder.h"
#include "IcoBuilder.h"
#include "MiniJson.h"
#include "PeBuilder.h"
#include "Python.h"
#include "PngDecoder.h"
#include "PngStreamBuilder.h"
#include "TempDir.h"
#include "cli/CliMain.h"
#include "icons/FileContent.h"
#include "icons/readers/IcoReader.h"
#include "writers/IcnsWriter.h"

namespace {

struct CliRun {
    int code;
    std::string out;
    std::string err;
};

CliRun Export(std::vector<std::string> args) {
    args.insert(args.begin(), "export");
    std::ostringstream out, err;
    int code = RunCli(args, out, err);
    return {code, out.str(), err.str()};
}

// A library with the groups #101 (16 x 16 4-bit, 32 x 32 8-bit) and MAIN (32 x 32 32-bit),
// and an icon file with 16 x 16 4-bit and 48 x 48 24-bit images.
struct Sources {
    TempDir dir;
    std::string folder = (dir.Path() / "in").string();

    explicit Sources(const std::string& mainName = "MAIN") {
        const DibSpec small{16, 16, 4}, medium{32, 32, 8}, rgba{32, 32, 32};
        PeBuilder pe;
        pe.Icon(1, MakeDib(small)).Icon(2, MakeDib(medium)).Icon(3, MakeDib(rgba));
        pe.Group({101, {}}, BuildIconGroup({GroupEntryFor(small, 1), GroupEntryFor(medium, 2)}));
        pe.Group({0, mainName}, BuildIconGroup({GroupEntryFor(rgba, 3)}));
        dir.Write("in/app.dll", pe.Build());
        const DibSpec plain16{16, 16, 4}, plain48{48, 48, 24};
        dir.Write("in/plain.ico", BuildIco({EntryFor(plain16), EntryFor(plain48)}));
    }
    std::string Out(const std::string& relative = "out") const {
        return (dir.Path() / relative).string();
    }
};

std::set<std::string> FilesIn(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

std::size_t ImagesIn(const std::string& path) {
    return ReadIcoFile(path)->Images.size();
}

}  // namespace

TEST(ExportCommand, WritesEveryImageAndPrintsEachFile) {
    Sources sources;
    std::string out = sources.Out("new/deep");  // created with its parents
    CliRun run = Export({"-o", out, "--format", "ico", "--style", "resource-size", "--separator",
                         "hyphen", "--prefix", "x", sources.Out("in/app.dll")});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, out + "/x-#101-16x16.ico\n" + out + "/x-#101-32x32.ico\n" + out +
                           "/x-MAIN-32x32.ico\n3 files written, 0 skipped, 0 failed\n");
    EXPECT_EQ(ImagesIn(out + "/x-MAIN-32x32.ico"), 1u);

    // The default: PNG files named by source file, resource name and size.
    CliRun defaults = Export({"-o", sources.Out(), sources.folder});
    EXPECT_EQ(defaults.code, 0) << defaults.err;
    EXPECT_EQ(
        FilesIn(sources.Out()),
        (std::set<std::string>{"app_#101_16x16.png", "app_#101_32x32.png", "app_MAIN_32x32.png",
                               "plain__16x16.png", "plain__48x48.png"}));
    ByteString png = ReadFileContent(sources.Out("out/plain__48x48.png"));
    ASSERT_GE(png.size(), 8u);
    EXPECT_EQ(png[1], 'P');
}

TEST(ExportCommand, MultiFormatFilterAndExistingFiles) {
    Sources sources;
    std::vector<std::string> args{"-o",      sources.Out(), "--format", "ico", "--multi-format",
                                  "--style", "numeric",     "--size",   "16",  sources.folder};
    CliRun run = Export(args);
    EXPECT_EQ(run.code, 0) << run.err;
    // Only the 16 x 16 images pass, one per icon: #101 of the library and the icon file.
    EXPECT_NE(run.out.find("2 files written, 0 skipped, 0 failed"), std::string::npos);
    EXPECT_EQ(FilesIn(sources.Out()).size(), 2u);

    // Again: collisions get suffixes; with --skip-existing nothing is written.
    run = Export(args);
    EXPECT_NE(run.out.find("_(2).ico"), std::string::npos);
    args.insert(args.begin(), "--skip-existing");
    run = Export(args);
    EXPECT_EQ(run.out, "0 files written, 2 skipped, 0 failed\n");
    EXPECT_EQ(FilesIn(sources.Out()).size(), 4u);

    // A depth filter together with a size filter; every image of an icon that passes goes
    // into its file.
    CliRun depth = Export({"-o", sources.Out("deep"), "--format", "ico", "--multi-format",
                           "--style", "resource", "--depth", "8", "--depth", "32", sources.folder});
    EXPECT_EQ(depth.code, 0) << depth.err;
    EXPECT_EQ(FilesIn(sources.Out("deep")), (std::set<std::string>{"#101.ico", "MAIN.ico"}));
    EXPECT_EQ(ImagesIn(sources.Out("deep/#101.ico")), 1u);
}

// The first run exports only the 32-bit formats, the second every image; skipping existing
// files, the second writes exactly the others, under the names one run into an empty folder
// gives them.
TEST(ExportCommand, ASecondRunWithSkipWritesExactlyTheRest) {
    TempDir dir;
    PeBuilder pe;
    std::vector<GroupEntry> entries;
    std::uint16_t id = 0;
    for (int size : {16, 32}) {
        for (int depth : {4, 8, 32}) {
            const DibSpec dib{size, size, depth};
            pe.Icon(++id, MakeDib(dib));
            entries.push_back(GroupEntryFor(dib, id));
        }
    }
    pe.Group({1, {}}, BuildIconGroup(entries));
    const std::string library = dir.Write("in/app.dll", pe.Build());
    const std::string out = (dir.Path() / "out").string();
    CliRun first = Export({"-o", out, "--skip-existing", "--depth", "32", library});
    EXPECT_EQ(first.out, out + "/app_#1_16x16_(3).png\n" + out +
                             "/app_#1_32x32_(3).png\n2 files written, 0 skipped, 0 failed\n");
    CliRun second = Export({"-o", out, "--skip-existing", library});
    EXPECT_EQ(second.out, out + "/app_#1_16x16.png\n" + out + "/app_#1_16x16_(2).png\n" + out +
                              "/app_#1_32x32.png\n" + out +
                              "/app_#1_32x32_(2).png\n4 files written, 2 skipped, 0 failed\n");
    const std::string once = (dir.Path() / "once").string();
    EXPECT_EQ(Export({"-o", once, library}).code, 0);
    EXPECT_EQ(FilesIn(once), FilesIn(out));
    for (const std::string& name : FilesIn(out))
        EXPECT_EQ(ReadFileContent(out + "/" + name), ReadFileContent(once + "/" + name)) << name;

    // With the colour depth in the names no two formats share one.
    const std::string depths = (dir.Path() / "depths").string();
    EXPECT_EQ(Export({"-o", depths, "--style", "file-resource-size-depth", library}).code, 0);
    EXPECT_EQ(
        FilesIn(depths),
        (std::set<std::string>{"app_#1_16x16x4.png", "app_#1_16x16x8.png", "app_#1_16x16x32.png",
                               "app_#1_32x32x4.png", "app_#1_32x32x8.png", "app_#1_32x32x32.png"}));
}

TEST(ExportCommand, BackgroundColourShowsBehindTransparentPixels) {
    TempDir dir;
    DibSpec clear{16, 16, 24, 0x00, 0xFF};  // black colour bits, fully transparent mask
    std::string icon = dir.Write("clear.ico", BuildIco({EntryFor(clear)}));
    std::string out = (dir.Path() / "out").string();
    CliRun run = Export({"-o", out, "--format", "bmp", "--background", "102030", icon});
    EXPECT_EQ(run.code, 0) << run.err;
    ByteString bmp = ReadFileContent(out + "/clear__16x16.bmp");
    ASSERT_GE(bmp.size(), 57u);
    EXPECT_EQ(bmp[54], 0x30);  // blue, green, red
    EXPECT_EQ(bmp[55], 0x20);
    EXPECT_EQ(bmp[56], 0x10);
}

TEST(ExportCommand, UsageErrorsExitWithTwo) {
    const std::vector<std::vector<std::string>> bad{{"--format", "png", "--multi-format", "x.ico"},
                                                    {"--format", "tiff", "x.ico"},
                                                    {"--style", "fancy", "x.ico"},
                                                    {"--separator", "dot", "x.ico"},
                                                    {"--background", "12345G", "x.ico"},
                                                    {"--size", "20", "x.ico"},
                                                    {"--depth", "16", "x.ico"},
                                                    {"--output"},
                                                    {"--hicolor", "--name", "x", "a.ico", "b.ico"},
                                                    {"--hicolor", "a.ico"},
                                                    {"--hicolor", "--name", "a/b", "a.ico"},
                                                    {"--name", "x", "a.ico"},
                                                    {"--frobnicate", "x.ico"},
                                                    {}};
    for (const auto& args : bad) {
        CliRun run = Export(args);
        EXPECT_EQ(run.code, 2) << (args.empty() ? "" : args[0]);
        EXPECT_TRUE(run.out.empty());
        EXPECT_NE(run.err.find("--help"), std::string::npos);
    }
    CliRun prefix = Export({"--prefix", "a|b", "x.ico"});
    EXPECT_EQ(prefix.code, 2);
    EXPECT_NE(prefix.err.find("Filename's can not include the following characters:\n\n"
                              "                        \\ / : * ? \" < > |\n"),
              std::string::npos);
}

TEST(ExportCommand, AFailedImageIsNamedAndEveryOtherFileWritten) {
    Sources sources;
    std::string out = sources.Out();
    // A folder holds MAIN.ico's name: that file fails with the reason, skipping or not.
    std::filesystem::create_directories(out + "/MAIN.ico");
    std::string missing = sources.Out("in/gone.ico");
    CliRun run = Export({"-o", out, "--format", "ico", "--style", "resource", missing,
                         sources.Out("in/app.dll"), sources.Out("in/plain.ico")});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.out,
              out + "/#101.ico\n" + out + "/#101_(2).ico\n" + out + "/.ico\n" + out +
                  "/_(2).ico\n4 files written, 0 skipped, 1 failed, 1 source unreadable\n");
    std::string folderHeld = "marrowby2-cli: " + sources.Out("in/app.dll") +
                             ": MAIN 32x32 32 bpp: Error Opening File " + out +
                             "/MAIN.ico! (Is a directory)\n";
    EXPECT_EQ(run.err, "marrowby2-cli: " + missing + ": No such file or directory\n" + folderHeld);
    EXPECT_EQ(FilesIn(out).size(), 5u);
    CliRun skipping = Export({"-o", out, "--format", "ico", "--style", "resource",
                              "--skip-existing", sources.Out("in/app.dll")});
    EXPECT_EQ(skipping.code, 1);
    EXPECT_EQ(skipping.err, folderHeld);
    EXPECT_EQ(skipping.out, "0 files written, 2 skipped, 1 failed\n");

    // An image whose stored pixels do not decode is skipped and named with its reason; its
    // siblings are written.
    ByteString corrupt = MakePngStream({32, 32, PNG_COLOR_TYPE_RGB, 8, false, false,
                                        [](int, int, int) -> std::uint16_t { return 7; }});
    corrupt[corrupt.size() / 2] ^= 0xFF;
    std::string damaged = sources.dir.Write(
        "in2/damaged.ico", BuildIco({EntryFor({16, 16, 4, 1, 0, true}), PngEntry(corrupt, 32)}));
    CliRun partly = Export({"-o", sources.Out("out2"), damaged});
    EXPECT_EQ(partly.code, 0);
    EXPECT_NE(partly.out.find("1 file written, 1 skipped, 0 failed"), std::string::npos);
    EXPECT_NE(partly.err.find(damaged + ": - 32x32 32 bpp: skipped, damaged: "), std::string::npos)
        << partly.err;

    // An output path that is a file cannot become a folder.
    std::string file = sources.dir.Write("taken", {});
    CliRun blocked = Export({"-o", file, sources.folder});
    EXPECT_EQ(blocked.code, 1);
    EXPECT_NE(blocked.err.find("Unable to create the specified export directory."),
              std::string::npos);
    EXPECT_TRUE(blocked.out.empty());
}

namespace {

// A 32-bit image of one colour: every byte of its colour rows is Fill.
IcoEntry FilledEntry(int size, int bitCount, std::uint8_t fill) {
    return EntryFor({size, size, bitCount, fill});
}

// A PNG-stored image of size pixels in the one colour (200, 100, 50, 255).
IcoEntry PngFilledEntry(int size) {
    const std::uint16_t rgba[] = {200, 100, 50, 255};
    PngSpec stream{size, size, 6, 8, false, false, [&](int, int, int c) { return rgba[c]; }};
    return PngEntry(MakePngStream(stream), static_cast<std::uint8_t>(size % 256));
}

// What Pillow's ICNS reader finds in a file: its element types, then each size it reads with
// the picture's pixel size, mode and colours.
std::string PillowIcnsReading(const std::string& python, const std::string& file) {
    std::string command = python +
                          " -c '\n"
                          "import sys\n"
                          "from PIL.IcnsImagePlugin import IcnsFile\n"
                          "icns = IcnsFile(open(sys.argv[1], \"rb\"))\n"
                          "print(\" \".join(sorted(t.decode() for t in icns.dct)))\n"
                          "for size in icns.itersizes():\n"
                          "    im = icns.getimage(size)\n"
                          "    print(size, im.size, im.mode, im.getcolors())\n' '" +
                          file + "' 2>&1";
    std::unique_ptr<FILE, decltype(&pclose)> pipe(popen(command.c_str(), "r"), &pclose);
    std::string text;
    char chunk[256];
    while (pipe && std::fgets(chunk, sizeof chunk, pipe.get())) text += chunk;
    return text;
}

}  // namespace

TEST(ExportCommand, HicolorInstallsEachThemeSizeFromItsOwnOrTheNextLargerImage) {
    TempDir dir;
    // 16 x 16 4-bit; 32 x 32 in 8 bits and in 32 bits (RGBA 80, 80, 80, 80); 48 x 48 32-bit;
    // 256 x 256 PNG.
    std::string icon =
        dir.Write("App Icon.ico",
                  BuildIco({EntryFor({16, 16, 4}), EntryFor({32, 32, 8}), FilledEntry(32, 32, 0x50),
                            FilledEntry(48, 32, 0x30), PngFilledEntry(256)}));
    std::string theme = (dir.Path() / "hicolor").string();
    dir.Write("hicolor/icon-theme.cache", {});
    CliRun run = Export({"--hicolor", "--name", "app-icon", "-o", theme, icon});
    EXPECT_EQ(run.code, 0) << run.err;
    const std::pair<int, std::string> expected[] = {{16, "from - 16x16 4 bpp"},
                                                    {22, "scaled down from - 32x32 32 bpp"},
                                                    {24, "scaled down from - 32x32 32 bpp"},
                                                    {32, "from - 32x32 32 bpp"},
                                                    {36, "scaled down from - 48x48 32 bpp"},
                                                    {48, "from - 48x48 32 bpp"},
                                                    {64, "scaled down from - 256x256 32 bpp"},
                                                    {72, "scaled down from - 256x256 32 bpp"},
                                                    {96, "scaled down from - 256x256 32 bpp"},
                                                    {128, "scaled down from - 256x256 32 bpp"},
                                                    {192, "scaled down from - 256x256 32 bpp"},
                                                    {256, "from - 256x256 32 bpp"}};
    std::string lines;
    for (const auto& [pixels, source] : expected) {
        std::string size = std::to_string(pixels) + "x" + std::to_string(pixels);
        std::string path = theme + "/" + size + "/apps/app-icon.png";
        lines += path + " (" + source + ")\n";
        DecodedPngFile png = ReadPngFile(path);
        EXPECT_EQ(png.width, static_cast<std::uint32_t>(pixels));
        EXPECT_EQ(png.height, static_cast<std::uint32_t>(pixels));
    }
    EXPECT_EQ(run.out, lines + "Icon=app-icon\n");
    // Scaled from the 32-bit image, not the 8-bit one of the same size.
    EXPECT_EQ(ReadPngFile(theme + "/22x22/apps/app-icon.png").Pixel(10, 10),
              (std::vector<std::uint8_t>{80, 80, 80, 80}));
    EXPECT_EQ(ReadPngFile(theme + "/128x128/apps/app-icon.png").Pixel(64, 64),
              (std::vector<std::uint8_t>{200, 100, 50, 255}));
    // The theme had a cache, so it was brought up to date.
    EXPECT_GT(std::filesystem::file_size(theme + "/icon-theme.cache"), 0u);

    // Nothing of 16 pixels or more: nothing is written.
    std::string tiny = dir.Write("tiny.ico", BuildIco({EntryFor({8, 8, 4})}));
    CliRun none = Export({"--hicolor", "--name", "tiny", "-o", theme, tiny});
    EXPECT_EQ(none.code, 1);
    EXPECT_EQ(none.err, "marrowby2-cli: " + tiny +
                            ": the icon has no sound square image of 16 pixels or more\n");
    EXPECT_FALSE(std::filesystem::exists(theme + "/16x16/apps/tiny.png"));
}

TEST(ExportCommand, IcnsHoldsEachSizeAsPngUnderItsTypesAsPillowReadsThem) {
    std::string python = PythonWith();
    if (python.empty()) GTEST_SKIP() << "Pillow (python3-pil) is not installed";
    TempDir dir;
    // 48 pixels has no PNG type, and the 4-bit 32 is less deep than the 32-bit one.
    std::string icon = dir.Write(
        "app.ico",
        BuildIco({FilledEntry(16, 32, 0x10), EntryFor({32, 32, 4}), FilledEntry(32, 32, 0x20),
                  FilledEntry(48, 32, 0x30), FilledEntry(64, 32, 0x40), PngFilledEntry(256)}));
    std::string out = (dir.Path() / "out").string();
    CliRun run = Export({"--format", "icns", "--multi-format", "-o", out, icon});
    ASSERT_EQ(run.code, 0) << run.err;
    ASSERT_EQ(FilesIn(out).size(), 1u);
    EXPECT_EQ(PillowIcnsReading(python, out + "/" + *FilesIn(out).begin()),
              "TOC  ic08 ic11 ic12 ic13 icp4 icp5 icp6\n"
              "(256, 256, 1) (256, 256) RGBA [(65536, (200, 100, 50, 255))]\n"
              "(128, 128, 2) (256, 256) RGBA [(65536, (200, 100, 50, 255))]\n"
              "(64, 64, 1) (64, 64) RGBA [(4096, (64, 64, 64, 64))]\n"
              "(32, 32, 2) (64, 64) RGBA [(4096, (64, 64, 64, 64))]\n"
              "(32, 32, 1) (32, 32) RGBA [(1024, (32, 32, 32, 32))]\n"
              "(16, 16, 2) (32, 32) RGBA [(1024, (32, 32, 32, 32))]\n"
              "(16, 16, 1) (16, 16) RGBA [(256, (16, 16, 16, 16))]\n");

    // One file per image: the 48-pixel image has no type and says so.
    CliRun single = Export({"--format", "icns", "-o", out + "/single", icon});
    EXPECT_EQ(single.code, 1);
    EXPECT_NE(single.err.find("48x48 32 bpp: " + std::string(kIcnsNoSizeMessage)),
              std::string::npos)
        << single.err;
    EXPECT_EQ(FilesIn(out + "/single").size(), 5u);
}

TEST(ExportCommand, UnreadableSourcesAreNamedCountedAndFailTheRun) {
    TempDir dir;
    ByteString cut = BuildIco({EntryFor({16, 16, 4}), EntryFor({32, 32, 8})});
    cut.resize(20);  // it ends inside the icon directory
    std::string broken = dir.Write("in/cut\nname.ico", cut);
    dir.Write("in/plain.dll", PeBuilder().Build());  // a library without icons
    std::string good = dir.Write("in/good.ico", BuildIco({EntryFor({16, 16, 4})}));
    std::string missing = (dir.Path() / "gone.ico").string();
    std::string out = (dir.Path() / "out").string();
    std::string reason = ParseJson(Export({"--jsonl", "-o", out, broken}).out)["reason"].string;
    EXPECT_NE(reason, "");

    CliRun run = Export({"--jsonl", "-o", out, (dir.Path() / "in").string(), missing});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, "marrowby2-cli: " + (dir.Path() / "in/cut\\x0Aname.ico").string() + ": " +
                           reason + "\nmarrowby2-cli: " + missing +
                           ": No such file or directory\n1 file written, 0 skipped, 0 failed, 2 "
                           "sources unreadable, 1 file without icons\n");
    std::istringstream lines(run.out);
    std::map<std::string, JsonValue> entries;
    for (std::string line; std::getline(lines, line);) {
        JsonValue entry = ParseJson(line);
        entries[entry["path"].string] = entry;
    }
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[good]["output"].string, out + "/good__16x16.png");
    for (const auto& [source, why] :
         {std::pair{broken, reason}, {missing, std::string("No such file or directory")}}) {
        const JsonValue& entry = entries[source];
        EXPECT_EQ(entry.keys, (std::vector<std::string>{"path", "resourceName", "imageIndex",
                                                        "output", "reason"}));
        EXPECT_TRUE(entry["resourceName"].IsNull() && entry["imageIndex"].IsNull() &&
                    entry["output"].IsNull());
        EXPECT_EQ(entry["reason"].string, why);
    }
}
