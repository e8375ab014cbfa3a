#include <gtest/gtest.h>

#include <filesystem>

#include "ImageBuilder.h"
#include "TempDir.h"
#include "WriterTestImages.h"
#include "writers/BmpWriter.h"
#include "writers/WriterError.h"

namespace {

// Blue, green, red of pixel (x, y), y from the top, in a 24-bit BMP file of that height.
ByteString StoredPixel(const ByteString& file, int x, int y, int height, std::size_t stride) {
    std::size_t at =
        54 + static_cast<std::size_t>(height - 1 - y) * stride + static_cast<std::size_t>(x) * 3;
    ByteView pixel = Slice(file, at, 3);
    return {pixel.begin(), pixel.end()};
}

}  // namespace

TEST(BmpWriter, BorderedImageIsWrittenOverTheBackgroundByteForByte) {
    TempDir dir;
    auto image = BorderedImage();
    std::string name = (dir.Path() / "bordered.bmp").string();
    SaveImageAsBmp(*image, name, {0, 128, 128});
    ByteString file = FileBytes(name);
    ASSERT_EQ(file.size(), 54u + 48 * 16);
    ByteString header(file.begin(), file.begin() + 54);
    ByteString expected = {
        'B', 'M', 0x36, 0x03, 0,  0,    0, 0, 0,  0, 54, 0, 0, 0,         // file header
        40,  0,   0,    0,    16, 0,    0, 0, 16, 0, 0,  0, 1, 0, 24, 0,  // size, planes
        0,   0,   0,    0,    0,  0x03, 0, 0,                             // rows: 768
        0,   0,   0,    0,    0,  0,    0, 0, 0,  0, 0,  0, 0, 0, 0,  0};
    EXPECT_EQ(header, expected);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            TColor c =
                OnBorder(x, y) ? TColor{0, 128, 128} : (x == 1 && y == 1 ? kMarker : kInside);
            ASSERT_EQ(StoredPixel(file, x, y, 16, 48), (ByteString{c.Blue, c.Green, c.Red}))
                << x << "," << y;
        }
    }
    // The marker pixel near the top sits in the second-to-last row of the file.
    EXPECT_EQ(Slice(file, 54 + 14 * 48 + 3, 3)[1], kMarker.Green);
}

TEST(BmpWriter, RowsArePaddedAndThirtyTwoBitPixelsBlendWithTheBackground) {
    TempDir dir;
    auto image = MakeImage(5, 2, 32);
    SetRgba(*image, 0, 0, 200, 100, 0, 128);
    SetRgba(*image, 4, 1, 1, 2, 3, 255);
    std::string name = (dir.Path() / "padded.bmp").string();
    SaveImageAsBmp(*image, name, clWhite);
    ByteString file = FileBytes(name);
    ASSERT_EQ(file.size(), 54u + 16 * 2);  // 15 bytes of pixels padded to 16
    EXPECT_EQ(ReadU32At(file, 2), 86u);
    EXPECT_EQ(ReadU32At(file, 34), 32u);
    // 227.5 and 177.5 round to even; 127.5 rounds to 128.
    EXPECT_EQ(StoredPixel(file, 0, 0, 2, 16), (ByteString{128, 178, 228}));
    EXPECT_EQ(StoredPixel(file, 4, 1, 2, 16), (ByteString{3, 2, 1}));
    EXPECT_EQ(file[54 + 15], 0);  // padding byte of the bottom row
}

TEST(BmpWriter, ImagesWithoutRowsAndSystemIconsShowTheBackground) {
    TempDir dir;
    std::string name = (dir.Path() / "empty.bmp").string();
    auto empty = ImageWithoutRows(256, 256, 8);
    SaveImageAsBmp(*empty, name, {9, 8, 7});
    ByteString file = FileBytes(name);
    ASSERT_EQ(file.size(), 54u + 768 * 256);
    EXPECT_EQ(ReadU32At(file, 18), 256u);
    EXPECT_EQ(StoredPixel(file, 255, 0, 256, 768), (ByteString{7, 8, 9}));

    auto system = SystemIconImage();
    SaveImageAsBmp(*system, name, {9, 8, 7});
    file = FileBytes(name);
    EXPECT_EQ(StoredPixel(file, 0, 0, 16, 48), (ByteString{255, 0, 0}));
    EXPECT_EQ(StoredPixel(file, 2, 0, 16, 48), (ByteString{7, 8, 9}));
}

TEST(BmpWriter, UnwritableTargetsFailWithTheOpeningError) {
    TempDir dir;
    auto image = BorderedImage();
    std::string missing = (dir.Path() / "missing" / "x.bmp").string();
    std::filesystem::create_directory(dir.Path() / "folder.bmp");
    std::string folder = (dir.Path() / "folder.bmp").string();
    for (const std::string& target : {missing, folder}) {
        try {
            SaveImageAsBmp(*image, target, clWhite);
            FAIL() << "no error for " << target;
        } catch (const TWriteError& error) {
            const char* reason = target == missing ? "No such file or directory" : "Is a directory";
            EXPECT_EQ(std::string(error.what()),
                      "Error Opening File " + target + "! (" + reason + ")");
        }
    }
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "missing"));
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path() / "folder.bmp"));
}
