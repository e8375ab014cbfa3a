#include <gtest/gtest.h>

#include "IcoBuilder.h"
#include "TempDir.h"
#include "icons/IcoReader.h"
#include "icons/LoadIcons.h"

TEST(IcoReader, ReadsEveryBitDepthInFileOrder) {
    TempDir dir;
    std::vector<IcoEntry> entries;
    for (int bpp : {1, 4, 8, 24, 32}) entries.push_back(EntryFor({32, 32, bpp, 0x5A, 0x00, true}));
    entries.push_back(EntryFor({48, 24, 8, 0x5A, 0x00, true}));
    auto icon = ReadIcoFile(dir.Write("all.ico", BuildIco(entries)));
    ASSERT_EQ(icon->ImageCount, 6);
    ASSERT_EQ(icon->Images.size(), 6u);
    const int strides[] = {4, 16, 32, 96, 128, 48};
    for (int i = 0; i < 6; ++i) {
        const TLoadedIconImage& image = icon->GetImage(i);
        EXPECT_EQ(image.Owner, icon.get());
        EXPECT_EQ(image.ImageStride(), strides[i]);
        EXPECT_EQ(image.HasPalette, i < 3 || i == 5);
        EXPECT_TRUE(image.ResourceName.empty());
    }
    EXPECT_EQ(icon->GetImage(0).BitCount, 1);
    EXPECT_EQ(icon->GetImage(4).BitCount, 32);
    EXPECT_EQ(icon->MaxWidth, 48);
    EXPECT_EQ(icon->MaxHeight, 32);
}

TEST(IcoReader, EmptyFileCountZeroAndCursors) {
    TempDir dir;
    auto empty = ReadIcoFile(dir.Write("empty.ico", ByteString{}));
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty->ImageCount, 0);
    auto loaded = LoadIconsFromFile(dir.Write("empty2.ico", ByteString{}));
    ASSERT_NE(loaded, nullptr);  // an icon without images, not nothing
    EXPECT_EQ(loaded->ImageCount, 0);

    ByteString one = BuildIco({EntryFor({16, 16, 4, 0x33, 0, true})}, 1, 0);
    auto counted = ReadIcoFile(dir.Write("zero-count.ico", one));
    EXPECT_EQ(counted->ImageCount, 1);
    EXPECT_EQ(counted->GetImage(0).ImageBits()[0], 0x33);

    IcoEntry cursor = EntryFor({32, 32, 1, 0xF0, 0x0F, true});
    cursor.planes = 5;    // hot-spot X
    cursor.bitCount = 9;  // hot-spot Y, replaced by the header's bit count
    auto cur = LoadIconsFromFile(dir.Write("arrow.CUR", BuildIco({cursor}, 2)));
    ASSERT_NE(cur, nullptr);
    EXPECT_EQ(cur->GetImage(0).Planes, 5);
    EXPECT_EQ(cur->GetImage(0).BitCount, 1);
    EXPECT_EQ(cur->FileName, dir.Path().string() + "/arrow.CUR");
}

TEST(IcoReader, BrokenFilesFailInTheReaderAndGiveNothingFromTheDispatcher) {
    TempDir dir;
    ByteString good =
        BuildIco({EntryFor({16, 16, 4, 0x33, 0, true}), EntryFor({32, 32, 8, 0x44, 0, true})});
    ByteString truncatedDirectory(good.begin(), good.begin() + 6 + 16 + 5);
    std::string path = dir.Write("cut.ico", truncatedDirectory);
    EXPECT_THROW(ReadIcoFile(path), TReadError);
    EXPECT_EQ(LoadIconsFromFile(path), nullptr);  // no shell fallback on this platform
    EXPECT_THROW(ReadIcoFile(dir.Path().string() + "/missing.ico"), TReadError);
    EXPECT_EQ(LoadIconsFromFile(dir.Path().string() + "/missing.ico"), nullptr);

    // Image data cut inside the second image: its rows are zero, the file still reads.
    ByteString truncatedImage(good.begin(), good.end() - 1000);
    auto partial = ReadIcoFile(dir.Write("short.ico", truncatedImage));
    EXPECT_EQ(partial->GetImage(1).ImageBits(), ByteString(32u * 32, 0));

    ByteString garbage(300, 0xFF);
    EXPECT_EQ(LoadIconsFromFile(dir.Write("noise.ico", garbage)), nullptr);
}

TEST(IcoReader, MemoryStaysBoundedWhateverTheDirectoryClaims) {
    // 4000 entries all pointing at one 40-byte header of a 256-pixel 32-bit image: decoding
    // each into zero rows would need over a gigabyte.
    ByteBuilder b;
    const std::uint16_t count = 4000;
    b.U16(0).U16(1).U16(count);
    const std::uint32_t headerAt = 6 + 16u * count;
    for (int i = 0; i < count; ++i) b.U8(0).U8(0).U8(0).U8(0).U16(1).U16(32).U32(40).U32(headerAt);
    b.U32(40).U32(256).U32(512).U16(1).U16(32).Fill(24);
    TempDir dir;
    std::string path = dir.Write("bomb.ico", b.Bytes());
    EXPECT_THROW(ReadIcoFile(path), TReadError);
    EXPECT_EQ(LoadIconsFromFile(path), nullptr);
}
