#include <gtest/gtest.h>
#include <sys/stat.h>

#include "AniBuilder.h"
#include "GroupBuilder.h"
#include "IcoBuilder.h"
#include "PeBuilder.h"
#include "PngStreamBuilder.h"
#include "TempDir.h"
#include "icons/LoadIcons.h"

namespace {

ByteString OneGroupPe() {
    DibSpec layout{32, 32, 8, 0x11, 0, true};
    PeBuilder pe;
    pe.Icon(1, MakeDib(layout)).Group({1, "APP"}, BuildIconGroup({GroupEntryFor(layout, 1)}));
    return pe.Build();
}

// How many images the file gives, or -1 for nothing.
int Count(const std::string& path) {
    auto icon = LoadIconsFromFile(path);
    if (!icon) return -1;
    EXPECT_EQ(icon->ImageCount, static_cast<int>(icon->Images.size()));
    EXPECT_EQ(icon->FileName, path);
    return icon->ImageCount;
}

}  // namespace

// The reader is chosen by the first bytes whatever the name; a PNG stream only passes for an
// icon in a file named as one, and bytes that start no icon source give "Not an icon source",
// also a C source named .ico and an icon header with a reserved word or type out of place.
TEST(LoadIcons, SourcesAreChosenByTheirFirstBytes) {
    TempDir dir;
    ByteString pe = OneGroupPe();
    ByteString ico = BuildIco({EntryFor({}), EntryFor({})});
    ByteString ani = BuildAniFromFrames({BuildIco({EntryFor({})})});
    for (const char* name : {"Shell32.DLL", "a.txt", "noext", "a.ico"}) {
        EXPECT_EQ(Count(dir.Write(name, pe)), 1) << name;
        EXPECT_EQ(Count(dir.Write(std::string("i") + name, ico)), 2) << name;
        EXPECT_EQ(Count(dir.Write(std::string("c") + name, ani)), 1) << name;
    }
    ByteString png = MakePngStream(
        {16, 16, 2, 8, false, false, [](int, int, int) -> std::uint16_t { return 0; }});
    EXPECT_EQ(Count(dir.Write("favicon.ICO", png)), 1);
    EXPECT_EQ(Count(dir.Write("favicon.png", png)), -1);
    ByteString source{'#', 'i', 'n', 'c', 'l', 'u', 'd', 'e', ' ', '<', 'a', '.', 'h', '>', '\n'};
    ByteString reserved = ico, type = ico;
    reserved[0] = 1;
    type[2] = 3;
    for (const ByteString& bytes : {source, reserved, type, ByteString{}}) {
        TLoadOutcome outcome = LoadIconsWithReason(dir.Write("bad.ico", bytes));
        EXPECT_EQ(outcome.Icon, nullptr);
        EXPECT_EQ(outcome.Error, kNotAnIconSource);
    }
}

TEST(LoadIcons, ErrorsAndUnreadableFilesGiveNothing) {
    TempDir dir;
    EXPECT_EQ(Count(dir.Write("empty.dll", ByteString{})), -1);
    ByteString truncated = OneGroupPe();
    truncated.resize(truncated.size() - 10);
    EXPECT_EQ(Count(dir.Write("cut.dll", truncated)), 1);  // its group lost, its image loose
    EXPECT_EQ(Count(dir.Path().string() + "/missing.ico"), -1);
    dir.Write("folder.ico/inner.txt", ByteString{1});
    EXPECT_EQ(Count(dir.Path().string() + "/folder.ico"), -1);
    // A named pipe is not opened: nothing, and no wait for a writer.
    std::string pipe = dir.Path().string() + "/pipe.ico";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_EQ(Count(pipe), -1);
}
