#include <gtest/gtest.h>
#include <sys/stat.h>

#include "AniBuilder.h"
#include "GroupBuilder.h"
#include "IcoBuilder.h"
#include "PeBuilder.h"
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

TEST(LoadIcons, ExtensionsAreRoutedBySubstringInListOrder) {
    TempDir dir;
    ByteString pe = OneGroupPe();
    ByteString ico = BuildIco({EntryFor({}), EntryFor({})});
    ByteString ani = BuildAniFromFrames({BuildIco({EntryFor({})})});
    for (const char* name : {"Shell32.DLL", "a.exe", "a.ocx", "a.cpl", "a.scr", "a.d", "a.ex",
                             "a.vb", "a.dr", "a.o", "a.b", "a.s", "imageres.dll.mun", "a.MUN"}) {
        EXPECT_EQ(Count(dir.Write(name, pe)), 1) << name;
    }
    for (const char* name : {"a.ico", "a.CUR", "a.i", "a.ic", "a.c", "a.cu"}) {
        EXPECT_EQ(Count(dir.Write(name, ico)), 2) << name;
    }
    for (const char* name : {"a.ani", "a.a", "a.AN"}) {
        EXPECT_EQ(Count(dir.Write(name, ani)), 1) << name;
    }
    // ".n" and a bare "." go to the animated cursor reader, which finds no RIFF header.
    for (const char* name : {"a.n", "a.", "x.dll.bmp", "noext", "a.zip", "dir.d/noext"}) {
        EXPECT_EQ(Count(dir.Write(name, ico)), -1) << name;
    }
    EXPECT_EQ(Count(dir.Write("a.ico.dll", ico)), -1);  // routed by the last dot: no PE
}

TEST(LoadIcons, ErrorsAndUnreadableFilesGiveNothing) {
    TempDir dir;
    EXPECT_EQ(Count(dir.Write("empty.ico", ByteString{})), 0);  // an icon, no shell fallback
    EXPECT_EQ(Count(dir.Write("empty.dll", ByteString{})), -1);
    EXPECT_EQ(Count(dir.Write("empty.ani", ByteString{})), -1);
    ByteString truncated = OneGroupPe();
    truncated.resize(truncated.size() - 10);
    EXPECT_EQ(Count(dir.Write("cut.dll", truncated)), -1);
    EXPECT_EQ(Count(dir.Path().string() + "/missing.ico"), -1);
    dir.Write("folder.ico/inner.txt", ByteString{1});
    EXPECT_EQ(Count(dir.Path().string() + "/folder.ico"), -1);
    // A named pipe is not opened: nothing, and no wait for a writer.
    std::string pipe = dir.Path().string() + "/pipe.ico";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_EQ(Count(pipe), -1);
}
