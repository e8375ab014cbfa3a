#include <gtest/gtest.h>
#include <png.h>

#include "IcoBuilder.h"
#include "PngStreamBuilder.h"
#include "TempDir.h"
#include "icons/readers/IcoReader.h"
#include "icons/LoadIcons.h"
#include "icons/PngStream.h"
#include "icons/Rendering.h"

namespace {

// Red = x, green = y, blue = x + y, alpha 0 in the first column, else 200.
std::uint16_t Gradient(int x, int y, int channel) {
    switch (channel) {
        case 0:
            return static_cast<std::uint16_t>(x);
        case 1:
            return static_cast<std::uint16_t>(y);
        case 2:
            return static_cast<std::uint16_t>(x + y);
        default:
            return x == 0 ? 0 : 200;
    }
}

// The blue, green, red, alpha bytes of pixel (x, y), y counted from the top.
std::array<int, 4> Bgra(const TLoadedIconImage& image, int x, int y) {
    std::size_t row = static_cast<std::size_t>(image.PixelHeight() - 1 - y);
    const std::uint8_t* p = image.ImageBits().data() + row * image.ImageStride() + x * 4;
    return {p[0], p[1], p[2], p[3]};
}

bool MaskBit(const TLoadedIconImage& image, int x, int y) {
    std::size_t row = static_cast<std::size_t>(image.PixelHeight() - 1 - y);
    return (image.MaskBits()[row * image.MaskStride() + x / 8] >> (7 - x % 8)) & 1;
}

}  // namespace

TEST(PngImage, A256PixelPngFormatNextToBitmapsDecodesToBottomUpBgra) {
    ByteString stream = MakePngStream(
        {256, 256, PNG_COLOR_TYPE_RGB_ALPHA, 8, false, false,
         [](int x, int y, int c) { return static_cast<std::uint16_t>(Gradient(x, y, c) & 0xFF); }});
    TempDir dir;
    std::string path =
        dir.Write("vista.ico", BuildIco({EntryFor({16, 16, 4, 0x12, 0, true}), PngEntry(stream, 0),
                                         EntryFor({48, 48, 32, 0x80, 0, true})}));
    auto icon = LoadIconsFromFile(path);
    ASSERT_NE(icon, nullptr);
    ASSERT_EQ(icon->ImageCount, 3);
    const TLoadedIconImage& png = icon->GetImage(1);
    EXPECT_EQ(png.Width, 0);  // the directory byte stays as read
    EXPECT_EQ(png.PixelWidth(), 256);
    EXPECT_EQ(png.BitCount, 32);
    EXPECT_FALSE(png.HasPalette);
    EXPECT_EQ(png.ImageStride(), 1024);
    EXPECT_EQ(png.MaskStride(), 32u);
    EXPECT_EQ(png.PngData(), stream);
    EXPECT_EQ(icon->MaxWidth, 256);  // sizes in pixels, unlike the directory bytes
    EXPECT_EQ(Bgra(png, 5, 7), (std::array<int, 4>{12, 7, 5, 200}));
    EXPECT_EQ(Bgra(png, 0, 255), (std::array<int, 4>{255, 255, 0, 0}));
    EXPECT_TRUE(MaskBit(png, 0, 3));  // alpha 0 is transparent in the mask
    EXPECT_FALSE(MaskBit(png, 1, 3));
    EXPECT_TRUE(icon->GetImage(0).PngData().empty());
    EXPECT_EQ(icon->GetImage(2).BitCount, 32);
}

TEST(PngImage, EveryColourTypeAndDepthEndsUpAsRgba) {
    struct Case {
        int colorType, bitDepth;
        bool trns;
        std::array<int, 4> pixel10;  // expected B, G, R, A of pixel (1, 0)
    };
    const Case cases[] = {
        {PNG_COLOR_TYPE_GRAY, 1, false, {255, 255, 255, 255}},
        {PNG_COLOR_TYPE_GRAY, 8, true, {1, 1, 1, 255}},
        {PNG_COLOR_TYPE_GRAY, 16, false, {1, 1, 1, 255}},
        {PNG_COLOR_TYPE_GRAY_ALPHA, 8, false, {1, 1, 1, 1}},
        {PNG_COLOR_TYPE_PALETTE, 2, true, {0, 100, 200, 255}},
        {PNG_COLOR_TYPE_RGB, 8, false, {1, 1, 1, 255}},
        {PNG_COLOR_TYPE_RGB, 16, false, {1, 1, 1, 255}},
        {PNG_COLOR_TYPE_RGB_ALPHA, 16, false, {1, 1, 1, 1}},
    };
    for (bool interlaced : {false, true}) {
        for (const Case& c : cases) {
            PngSpec layout{32,
                           32,
                           c.colorType,
                           c.bitDepth,
                           interlaced,
                           c.trns,
                           [&](int x, int, int) -> std::uint16_t {
                               if (c.bitDepth < 8) return static_cast<std::uint16_t>(x % 2);
                               return static_cast<std::uint16_t>(c.bitDepth == 16 ? x * 257 : x);
                           }};
            TLoadedIconImage image;
            image.Width = image.Height = 32;
            ByteString stream = MakePngStream(layout);
            ASSERT_TRUE(image.DecodeImage(stream, true)) << c.colorType << "/" << c.bitDepth;
            EXPECT_EQ(Bgra(image, 1, 0), c.pixel10) << c.colorType << "/" << c.bitDepth;
            EXPECT_EQ(image.ImageBits().size(), 32u * 32 * 4);
        }
    }
    // tRNS on grey 0 / palette entry 0 makes those pixels transparent.
    PngSpec grey{8, 8, PNG_COLOR_TYPE_GRAY, 8, false, true, [](int, int, int) { return 0; }};
    TLoadedIconImage image;
    image.Width = image.Height = 8;
    image.DecodeImage(MakePngStream(grey), true);
    EXPECT_EQ(Bgra(image, 3, 3)[3], 0);
    EXPECT_TRUE(MaskBit(image, 3, 3));
}

TEST(PngImage, APictureOfAnotherSizeIsShownWholeInTheEntrysSize) {
    // 20 x 40, left half red, right half blue, opaque, in a 32-pixel entry: scaled to 16 x 32
    // and centred, transparent beside it.
    ByteString tall = MakePngStream(
        {20, 40, PNG_COLOR_TYPE_RGB, 8, false, false, [](int x, int, int c) -> std::uint16_t {
             bool left = x < 10;
             return c == 0 ? (left ? 255 : 0) : c == 2 ? (left ? 0 : 255) : 0;
         }});
    TLoadedIconImage image;
    image.Width = image.Height = 32;
    ASSERT_TRUE(image.DecodeImage(tall, true));
    EXPECT_EQ(image.ImageBits().size(), 32u * 32 * 4);
    EXPECT_EQ(Bgra(image, 7, 10), (std::array<int, 4>{0, 0, 0, 0}));
    EXPECT_TRUE(MaskBit(image, 7, 10));
    EXPECT_EQ(Bgra(image, 8, 0), (std::array<int, 4>{0, 0, 255, 255}));
    EXPECT_EQ(Bgra(image, 23, 31), (std::array<int, 4>{255, 0, 0, 255}));
    EXPECT_EQ(Bgra(image, 24, 31)[3], 0);
    EXPECT_EQ(image.PngData(), tall);  // written back as it was

    // A small picture in a 256-pixel entry is centred, not stretched.
    ByteString small = MakePngStream({2, 2, PNG_COLOR_TYPE_GRAY, 8, false, false,
                                      [](int, int, int) -> std::uint16_t { return 90; }});
    TLoadedIconImage wide;  // directory bytes 0
    ASSERT_TRUE(wide.DecodeImage(small, true));
    EXPECT_EQ(Bgra(wide, 127, 127), (std::array<int, 4>{90, 90, 90, 255}));
    EXPECT_EQ(Bgra(wide, 129, 128)[3], 0);
}

// A damaged image stays in its file's list, as read, and draws nothing; its siblings are read
// and drawn as ever. Loading decodes no rows at all.
TEST(PngImage, ADamagedImageKeepsItsPlaceAndHidesNoSibling) {
    auto sample = [](int, int, int) -> std::uint16_t { return 7; };
    ByteString stream = MakePngStream({32, 32, PNG_COLOR_TYPE_RGB, 8, false, false, sample});
    TLoadedIconImage image;
    image.Width = image.Height = 32;
    ASSERT_TRUE(image.DecodeImage(stream, true));
    EXPECT_EQ(image.ImageBits().size(), 32u * 32 * 4);
    EXPECT_EQ(image.Damage(), "");

    ByteString corrupt = stream;
    corrupt[corrupt.size() / 2] ^= 0xFF;
    std::vector<ByteString> broken{corrupt};
    for (std::size_t cut : {stream.size() - 1, std::size_t{40}, std::size_t{9}})
        broken.emplace_back(stream.begin(), stream.begin() + static_cast<std::ptrdiff_t>(cut));
    for (const ByteString& bad : broken) {
        EXPECT_TRUE(image.DecodeImage(bad, true)) << bad.size();
        EXPECT_EQ(image.BitCount, 32);
        EXPECT_TRUE(image.ImageBits().empty()) << bad.size();
        EXPECT_TRUE(image.MaskBits().empty()) << bad.size();
        EXPECT_NE(image.Damage(), "") << bad.size();
    }
    // A header claiming a huge image is refused before anything is allocated for it.
    ByteString huge = MakePngStream({2000, 1, PNG_COLOR_TYPE_GRAY, 1, false, false, sample});
    EXPECT_THROW(DecodePngStream(huge), TReadError);

    ByteString wide = MakeDib({16, 16, 8, 0x33, 0, true});
    wide[14] = 40;  // the header's bit count
    IcoEntry wideEntry = EntryFor({16, 16, 8, 0x33, 0, true});
    wideEntry.data = wide;
    TempDir dir;
    std::string path =
        dir.Write("damaged.ico", BuildIco({EntryFor({16, 16, 4, 1, 0, true}), PngEntry(corrupt, 32),
                                           wideEntry, EntryFor({32, 32, 24, 0x44, 0, true})}));
    auto icon = LoadIconsFromFile(path);
    ASSERT_NE(icon, nullptr);
    ASSERT_EQ(icon->ImageCount, 4);
    for (const auto& loaded : icon->Images) EXPECT_FALSE(loaded->Decoded());
    EXPECT_EQ(icon->GetImage(1).BitCount, 32);
    EXPECT_EQ(icon->GetImage(2).BitCount, 40);
    EXPECT_EQ(icon->GetImage(2).ImageStride(), 0);

    // Drawn onto a grey canvas, the sound images change it and the damaged ones leave it.
    for (int i = 0; i < 4; ++i) {
        const TLoadedIconImage& drawn = icon->GetImage(i);
        TBitmap canvas(32, 32, TPixelFormat::pf24bit);
        canvas.Canvas().BrushColor = {128, 128, 128};
        canvas.Canvas().FillRect(0, 0, 32, 32);
        DrawIconImage(drawn, canvas.Canvas(), 0, 0, clWhite);
        bool damaged = i == 1 || i == 2;
        EXPECT_EQ((canvas.PixelColor(5, 5) == TColor{128, 128, 128}), damaged) << i;
        EXPECT_EQ(drawn.Damage().empty(), !damaged) << i;
    }
}
