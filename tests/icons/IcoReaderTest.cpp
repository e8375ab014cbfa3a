#include <gtest/gtest.h>

#include "IcoBuilder.h"
#include "PngStreamBuilder.h"
#include "TempDir.h"
#include "icons/LoadIcons.h"
#include "icons/readers/IcoReader.h"

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
    // No directory header, no icon: an empty file, or one whose count word is 0.
    EXPECT_EQ(ReadIcoFile(dir.Write("empty.ico", ByteString{})), nullptr);
    ByteString one = BuildIco({EntryFor({16, 16, 4, 0x33, 0, true})}, 1, 0);
    EXPECT_EQ(ReadIcoFile(dir.Write("zero-count.ico", one)), nullptr);

    IcoEntry cursor = EntryFor({32, 32, 1, 0xF0, 0x0F, true});
    cursor.planes = 5;    // hot-spot X
    cursor.bitCount = 9;  // hot-spot Y, replaced by the header's bit count
    auto cur = LoadIconsFromFile(dir.Write("arrow.CUR", BuildIco({cursor}, 2)));
    ASSERT_NE(cur, nullptr);
    EXPECT_EQ(cur->GetImage(0).Planes, 5);
    EXPECT_EQ(cur->GetImage(0).BitCount, 1);
    EXPECT_EQ(cur->FileName, dir.Path().string() + "/arrow.CUR");
}

// A file cut short keeps every image whose bytes are whole; images the cut reaches are kept
// damaged with their directory values, and a directory cut inside an entry keeps the entries
// before the cut.
TEST(IcoReader, ACutFileKeepsEveryWholeImage) {
    TempDir dir;
    const DibSpec small{16, 16, 4, 0x33, 0, true};
    const DibSpec middle{32, 32, 8, 0x44, 0, true};
    ByteString good = BuildIco({EntryFor(small), EntryFor(middle), EntryFor({48, 48, 32, 1, 0})});
    const std::size_t secondAt = 6 + 3 * 16 + MakeDib(small).size();

    // Cut 100 bytes into the second image: the first is sound, the second and third damaged.
    ByteString inImage(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(secondAt + 100));
    TLoadOutcome cut = LoadIconsWithReason(dir.Write("cut.ico", inImage));
    ASSERT_NE(cut.Icon, nullptr) << cut.Error;
    ASSERT_EQ(cut.Icon->ImageCount, 3);
    EXPECT_EQ(cut.Icon->Damage, "");  // no entry was lost
    const TLoadedIconImage& sound = cut.Icon->GetImage(0);
    EXPECT_EQ(sound.Damage(), "");
    EXPECT_EQ(sound.ImageBits(), ByteString(16 * 8, 0x33));
    const TLoadedIconImage& damaged = cut.Icon->GetImage(1);
    EXPECT_EQ(damaged.LoadDamage(), "the file ends 100 bytes into the image data");
    EXPECT_EQ(damaged.Damage(), damaged.LoadDamage());
    EXPECT_EQ(damaged.Width, 32);
    EXPECT_EQ(damaged.BitCount, 8);
    EXPECT_TRUE(damaged.ImageBits().empty());
    EXPECT_EQ(cut.Icon->GetImage(2).LoadDamage(), "the file ends before the image data");
    EXPECT_EQ(cut.Icon->MaxWidth, 48);

    // Cut 5 bytes into the second entry: the first entry stays, its data lost with the rest;
    // cut inside the first entry, nothing is left and the reason is the file's.
    ByteString inDirectory(good.begin(), good.begin() + 6 + 16 + 5);
    TLoadOutcome entries = LoadIconsWithReason(dir.Write("entries.ico", inDirectory));
    ASSERT_NE(entries.Icon, nullptr) << entries.Error;
    ASSERT_EQ(entries.Icon->ImageCount, 1);
    EXPECT_EQ(entries.Icon->Damage, "the file ends 27 bytes into the icon directory");
    EXPECT_EQ(entries.Icon->GetImage(0).Width, 16);
    EXPECT_EQ(entries.Icon->GetImage(0).LoadDamage(), "the file ends before the image data");
    ByteString inFirst(good.begin(), good.begin() + 6 + 11);
    TLoadOutcome none = LoadIconsWithReason(dir.Write("none.ico", inFirst));
    EXPECT_EQ(none.Icon, nullptr);  // no shell fallback on this platform
    EXPECT_EQ(none.Error, "the file ends 17 bytes into the icon directory");
    EXPECT_THROW(ReadIcoFile(dir.Path().string() + "/missing.ico"), TReadError);

    // A size claimed past the end is no loss while the pixels lie before it; a cursor cut
    // inside its pixels keeps its header's bit count, not its hot spot's Y.
    IcoEntry claims = EntryFor(middle);
    claims.bytesInRes = 0xFFFFFFFF;
    auto whole = ReadIcoFile(dir.Write("claims.ico", BuildIco({claims})));
    EXPECT_EQ(whole->GetImage(0).Damage(), "");
    EXPECT_EQ(whole->GetImage(0).ImageBits(), ByteString(32 * 32, 0x44));
    IcoEntry cursor = EntryFor(middle);
    cursor.planes = 12;
    cursor.bitCount = 30;
    ByteString cutCursor = BuildIco({cursor}, 2);
    cutCursor.resize(cutCursor.size() - 200);
    auto cursorIcon = ReadIcoFile(dir.Write("cut.cur", cutCursor));
    EXPECT_EQ(cursorIcon->GetImage(0).LoadDamage().rfind("the file ends ", 0), 0u);
    EXPECT_EQ(cursorIcon->GetImage(0).BitCount, 8);
    // An impossible header stays damaged with its own reason, cut or not.
    ByteString odd = BuildIco({EntryFor(middle)});
    odd[6 + 16] = 41;  // the header size
    EXPECT_EQ(ReadIcoFile(dir.Write("odd.ico", odd))->GetImage(0).LoadDamage(),
              "Unsupported bitmap header size 41");

    // A favicon that is really a PNG file: one PNG-stored image of its header's size.
    auto red = [](int, int, int channel) -> std::uint16_t { return channel == 0 ? 255 : 0; };
    ByteString png = MakePngStream({24, 20, 2, 8, false, false, red});
    TLoadOutcome favicon = LoadIconsWithReason(dir.Write("favicon.ico", png));
    ASSERT_NE(favicon.Icon, nullptr) << favicon.Error;
    ASSERT_EQ(favicon.Icon->ImageCount, 1);
    const TLoadedIconImage& picture = favicon.Icon->GetImage(0);
    EXPECT_EQ(picture.Width, 24);
    EXPECT_EQ(picture.Height, 20);
    EXPECT_EQ(picture.BitCount, 32);
    EXPECT_EQ(picture.PngData(), png);
    ASSERT_EQ(picture.ImageBits().size(), 24u * 20 * 4);
    EXPECT_EQ(picture.ImageBits()[2], 255);  // red, stored blue, green, red, alpha
    EXPECT_EQ(favicon.Icon->MaxWidth, 24);
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
