#include <gtest/gtest.h>

#include "IcoBuilder.h"
#include "icons/LoadedIcon.h"

namespace {

std::unique_ptr<TLoadedIconImage> EntryImage(TLoadedIcon& icon, const ByteString& entry,
                                             bool group) {
    ByteReader data(entry);
    auto image = icon.ReadDirEntry(data, group);
    EXPECT_TRUE(data.Empty());
    return image;
}

}  // namespace

TEST(ReadDirEntry, ReadsFileAndGroupEntriesAndInfersBitCount) {
    TLoadedIcon icon;
    ByteBuilder file;
    file.U8(32).U8(16).U8(16).U8(7).U16(5).U16(0).U32(744).U32(0x01020304);
    auto image = EntryImage(icon, file.Bytes(), false);
    EXPECT_EQ(image->Owner, &icon);
    EXPECT_EQ(image->Width, 32);
    EXPECT_EQ(image->Height, 16);
    EXPECT_EQ(image->Reserved, 7);
    EXPECT_EQ(image->Planes, 1);  // bit count 0: planes forced to 1
    EXPECT_EQ(image->BitCount, 4);
    EXPECT_EQ(image->BytesInRes, 744u);
    EXPECT_EQ(image->ImageOffset, 0x01020304u);

    ByteBuilder group;
    group.U8(48).U8(48).U8(0).U8(0).U16(1).U16(32).U32(9640).U16(0x8123);
    auto grouped = EntryImage(icon, group.Bytes(), true);
    EXPECT_EQ(grouped->ImageOffset, 0x8123u);  // 2-byte id, zero-extended
    EXPECT_EQ(grouped->BitCount, 32);

    const std::pair<int, int> inferred[] = {{2, 1}, {16, 4}, {255, 8}, {0, 0}, {256 % 256, 0}};
    for (auto [colors, bits] : inferred) {
        ByteBuilder e;
        e.U8(16).U8(16).U8(static_cast<std::uint8_t>(colors)).U8(0).U16(9).U16(0).U32(0).U32(0);
        EXPECT_EQ(EntryImage(icon, e.Bytes(), false)->BitCount, bits) << colors;
    }

    ByteBuilder shortEntry;
    shortEntry.U8(16).U8(16).U8(0).U8(0).U16(1).U16(4).U32(40);
    ByteReader data(shortEntry.Bytes());
    EXPECT_THROW(icon.ReadDirEntry(data, false), TReadError);
}

TEST(DecodeImage, SplitsPaletteColourRowsAndMaskByBitCount) {
    struct Case {
        int width, bits, paletteEntries, imageStride, maskStride;
    };
    const Case cases[] = {{32, 4, 16, 16, 4},  {16, 24, 0, 48, 4}, {48, 1, 2, 8, 8},
                          {16, 8, 256, 16, 4}, {16, 32, 0, 64, 4}, {3, 16, 0, 8, 4}};
    for (const Case& c : cases) {
        TLoadedIconImage image;
        image.Width = static_cast<std::uint8_t>(c.width);
        image.Height = static_cast<std::uint8_t>(c.width);
        ByteString dib = MakeDib({c.width, c.width, c.bits, 0x11, 0xFF, true});
        ASSERT_TRUE(image.DecodeImage(dib, true));
        EXPECT_EQ(image.BitCount, c.bits);
        EXPECT_EQ(image.HasPalette, c.paletteEntries > 0);
        EXPECT_EQ(image.Palette.NumEntries, c.paletteEntries);
        EXPECT_EQ(image.ImageStride(), c.imageStride) << c.width << "x" << c.bits;
        EXPECT_EQ(image.MaskStride(), static_cast<std::uint32_t>(c.maskStride));
        EXPECT_EQ(image.ImageBits(),
                  ByteString(static_cast<std::size_t>(c.imageStride * c.width), 0x11));
        EXPECT_EQ(image.MaskBits(),
                  ByteString(static_cast<std::size_t>(c.maskStride * c.width), 0xFF));
        EXPECT_FALSE(image.Prepared());
    }
}

TEST(DecodeImage, PaletteIsReorderedToRedGreenBlueFlags) {
    TLoadedIconImage image;
    image.Width = image.Height = 8;
    ByteBuilder dib;
    dib.U32(40).U32(8).U32(16).U16(1).U16(1).Fill(24);
    dib.U8(0x10).U8(0x20).U8(0x30).U8(0x00).U8(1).U8(2).U8(3).U8(4);
    dib.Fill(8 * 4, 0xAA).Fill(8 * 4, 0x00);
    image.DecodeImage(dib.Bytes(), true);
    EXPECT_EQ(image.Palette.Version, 0x300);
    const TPaletteEntry& first = image.Palette.Entries[0];
    EXPECT_EQ(first.Red, 0x30);
    EXPECT_EQ(first.Green, 0x20);
    EXPECT_EQ(first.Blue, 0x10);
    EXPECT_EQ(first.Flags, 0);
    EXPECT_EQ(image.Palette.Entries[1].Red, 3);
    EXPECT_EQ(image.Palette.Entries[1].Flags, 4);
}

TEST(DecodeImage, MissingRowsBecomeZeroRowsAndAllZeroIsReported) {
    TLoadedIconImage image;
    image.Width = image.Height = 16;
    ByteString noMask = MakeDib({16, 16, 24, 0x40, 0x00, false});
    EXPECT_TRUE(image.DecodeImage(noMask, true));
    EXPECT_EQ(image.MaskBits(), ByteString(16 * 4, 0));  // fully opaque

    ByteString headerOnly = MakeDib({16, 16, 24, 0, 0, false});
    headerOnly.resize(40);
    EXPECT_FALSE(image.DecodeImage(headerOnly, true));
    EXPECT_EQ(image.ImageBits().size(), 16u * 48);

    ByteString allZero = MakeDib({16, 16, 4, 0x00, 0x00, true});
    EXPECT_FALSE(image.DecodeImage(allZero, true));
}

TEST(DecodeImage, CutsImageOutOfFileAndShortDataIsDamaged) {
    ByteString dib = MakeDib({16, 16, 4, 0x21, 0x00, true});
    ByteBuilder file;
    file.Fill(100, 0xEE).Bytes(dib).Fill(50, 0xEE);
    TLoadedIconImage image;
    image.Width = image.Height = 16;
    image.ImageOffset = 100;
    image.BytesInRes = static_cast<std::uint32_t>(dib.size());
    ASSERT_TRUE(image.DecodeImage(file.Bytes(), false));
    EXPECT_EQ(image.MaskBits(), ByteString(64, 0));  // the trailing 0xEE bytes are cut off

    EXPECT_EQ(image.Damage(), "");

    // Too short for its header by its own size, or running past the end of the file: damaged,
    // with the directory values and empty rows.
    image.BytesInRes = 39;
    EXPECT_TRUE(image.DecodeImage(file.Bytes(), false));
    EXPECT_EQ(image.LoadDamage(), "the image data ends 39 bytes into its header");
    EXPECT_TRUE(image.ImageBits().empty());
    // A size claimed past the end is no loss while the pixels lie before it; a cut inside
    // them is.
    image.BytesInRes = 1000000;
    EXPECT_TRUE(image.DecodeImage(file.Bytes(), false));
    EXPECT_EQ(image.Damage(), "");
    EXPECT_EQ(image.StoredBytes().size(), dib.size() + 50);
    ByteString cut(file.Bytes().begin(), file.Bytes().begin() + 100 + 150);
    EXPECT_TRUE(image.DecodeImage(cut, false));
    EXPECT_EQ(image.Damage(), "the file ends 150 bytes into the image data");
    EXPECT_EQ(image.Width, 16);
    image.ImageOffset = static_cast<std::uint32_t>(file.Size() + 1);
    EXPECT_TRUE(image.DecodeImage(file.Bytes(), false));
    EXPECT_EQ(image.Damage(), "the file ends before the image data");
}

TEST(DecodeImage, ZeroSizeByteMeans256Pixels) {
    TLoadedIconImage image;  // Width and Height bytes 0
    ByteString dib = MakeDib({256, 256, 32, 0x7F, 0x00, true});
    ASSERT_TRUE(image.DecodeImage(dib, true));
    EXPECT_EQ(image.PixelWidth(), 256);
    EXPECT_EQ(image.ImageStride(), 1024);
    EXPECT_EQ(image.MaskStride(), 32u);
    EXPECT_EQ(image.ImageBits().size(), 256u * 1024);
}

TEST(LoadedIcon, MaxSizeOnlyGrowsAndGetImageChecksTheIndex) {
    TLoadedIcon icon;
    icon.UpdateMaxSize(32, 16);
    icon.UpdateMaxSize(16, 48);
    EXPECT_EQ(icon.MaxWidth, 32);
    EXPECT_EQ(icon.MaxHeight, 48);
    icon.AddImage(std::make_unique<TLoadedIconImage>());
    EXPECT_EQ(icon.GetImage(0).Owner, &icon);
    EXPECT_THROW(icon.GetImage(1), std::out_of_range);
    EXPECT_THROW(icon.GetImage(-1), std::out_of_range);
}
