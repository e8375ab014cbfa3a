#include <gtest/gtest.h>

#include "IcoBuilder.h"
#include "TempDir.h"
#include "icons/IcoReader.h"
#include "icons/LoadIcons.h"

TEST(IcoReader, ReadsEveryBitDepthInFileOrder) {
    TempDir dir;
    std::vector<IcoEntry> entries;
    for (int bpp : {1, 4, 8, 24, 32}) entries.push_back(EntryFor({32, 32, bpp, 0x5A, 0x00, true}));
    auto icon = ReadIcoFile(dir.Write("all.ico", BuildIco(entries)));
    ASSERT_EQ(icon->ImageCount, 5);
    ASSERT_EQ(icon->Images.size(), 5u);
    const int strides[] = {4, 16, 32, 96, 128};
    for (int i = 0; i < 5; ++i) {
        const TLoadedIconImage& image = icon->GetImage(i);
        EXPECT_EQ(image.Owner, icon.get());
        EXPECT_EQ(image.ImageStride, strides[i]);
        EXPECT_EQ(image.MaskStride, 4u);
        EXPECT_EQ(image.ImageBits.size(), 32u * strides[i]);
        EXPECT_EQ(image.HasPalette, i < 3);
    }
    EXPECT_EQ(icon->GetImage(0).BitCount, 1);
    EXPECT_EQ(icon->GetImage(4).BitCount, 32);
    EXPECT_EQ(icon->MaxWidth, 32);
    EXPECT_THROW(icon->GetImage(5), std::out_of_range);
}
