#include <gtest/gtest.h>

#include "toolkit/FileMask.h"

TEST(FileMask, PatternsAreSeparatedBySemicolonsAndIgnoreCase) {
    const TFileMask icons(QStringLiteral("*.ico;*.DLL; *.cur ;"));
    EXPECT_TRUE(icons.Matches(QStringLiteral("app.ico")));
    EXPECT_TRUE(icons.Matches(QStringLiteral("APP.ICO")));
    EXPECT_TRUE(icons.Matches(QStringLiteral("shell32.dll")));
    EXPECT_TRUE(icons.Matches(QStringLiteral("arrow.Cur")));
    EXPECT_FALSE(icons.Matches(QStringLiteral("readme.txt")));
    EXPECT_FALSE(icons.Matches(QStringLiteral("app.ico.bak")));
    EXPECT_FALSE(icons.Matches(QStringLiteral("ico")));

    const TFileMask single(QStringLiteral("icon?.ico"));
    EXPECT_TRUE(single.Matches(QStringLiteral("icon1.ico")));
    EXPECT_FALSE(single.Matches(QStringLiteral("icon12.ico")));
}

TEST(FileMask, StarDotStarAndEmptyMasksListEveryFile) {
    for (const char* mask : {"*.*", "*", "", " ; "}) {
        const TFileMask all{QString::fromLatin1(mask)};
        EXPECT_TRUE(all.Matches(QStringLiteral("Makefile"))) << mask;
        EXPECT_TRUE(all.Matches(QStringLiteral(".hidden"))) << mask;
        EXPECT_TRUE(all.Matches(QStringLiteral("a.b.c"))) << mask;
    }
}
