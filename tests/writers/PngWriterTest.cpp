#include <gtest/gtest.h>

#include <png.h>

#include <filesystem>

#include "ImageBuilder.h"
#include "PngDecoder.h"
#include "PngStreamBuilder.h"
#include "TempDir.h"
#include "WriterTestImages.h"
#include "writers/PngUnit.h"
#include "writers/WriterError.h"

namespace {

using Rgba = std::vector<std::uint8_t>;

Rgba Of(TColor c, std::uint8_t alpha) {
    return {c.Red, c.Green, c.Blue, alpha};
}

}  // namespace

TEST(PngWriter, BorderedImageKeepsItsTransparencyAndTheFileCarriesTheChunks) {
    TempDir dir;
    auto image = BorderedImage();
    std::string name = (dir.Path() / "bordered.png").string();
    SaveImageAsPng(*image, name, {0, 0, 255});
    DecodedPngFile png = ReadPngFile(name);
    EXPECT_EQ(png.width, 16u);
    EXPECT_EQ(png.height, 16u);
    EXPECT_EQ(png.bitDepth, 8);
    EXPECT_EQ(png.colorType, PNG_COLOR_TYPE_RGB_ALPHA);
    EXPECT_EQ(png.interlace, PNG_INTERLACE_NONE);
    EXPECT_EQ(png.compression, 0);
    EXPECT_EQ(png.filter, 0);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            Rgba expected = OnBorder(x, y)       ? Rgba{255, 255, 255, 0}
                            : (x == 1 && y == 1) ? Of(kMarker, 255)
                                                 : Of(kInside, 255);
            ASSERT_EQ(png.Pixel(x, y), expected) << x << "," << y;
        }
    }
    ASSERT_EQ(png.texts.size(), 1u);
    EXPECT_EQ(png.texts[0].first, "Software");
    EXPECT_EQ(png.texts[0].second, "Marrowby 2 Pro (https://marrowby.example/)");
    EXPECT_EQ(png.textCompression[0], PNG_TEXT_COMPRESSION_NONE);
    EXPECT_EQ(png.backgroundRed, 0);
    EXPECT_EQ(png.backgroundGreen, 0);
    EXPECT_EQ(png.backgroundBlue, 255);
    ASSERT_GE(png.chunkOrder.size(), 5u);
    EXPECT_EQ(png.chunkOrder[0], "IHDR");
    EXPECT_EQ(png.chunkOrder[1], "bKGD");
    EXPECT_EQ(png.chunkOrder[2], "tEXt");
    EXPECT_EQ(png.chunkOrder[3], "IDAT");
    EXPECT_EQ(png.chunkOrder.back(), "IEND");

    // The background colour reaches bKGD only, never the pixels.
    std::string other = (dir.Path() / "other.png").string();
    SaveImageAsPng(*image, other, {12, 34, 56});
    DecodedPngFile second = ReadPngFile(other);
    EXPECT_EQ(second.rgba, png.rgba);
    EXPECT_EQ(second.backgroundRed, 12);
    EXPECT_EQ(second.backgroundGreen, 34);
    EXPECT_EQ(second.backgroundBlue, 56);
}

TEST(PngWriter, ThirtyTwoBitImagesKeepTheirOwnColoursAndAlpha) {
    TempDir dir;
    auto image = MakeImage(4, 2, 32);
    SetRgba(*image, 0, 0, 143, 119, 5, 146);  // partly transparent: written as it is
    SetRgba(*image, 1, 0, 200, 100, 0, 255);  // opaque
    SetRgba(*image, 2, 0, 200, 100, 0, 0);    // transparent by alpha, opaque by mask
    SetRgba(*image, 3, 0, 200, 100, 0, 255);
    SetMaskBit(*image, 3, 0, true);  // transparent by mask, which alpha overrules
    std::string name = (dir.Path() / "alpha.png").string();
    SaveImageAsPng(*image, name, clBlack);
    DecodedPngFile png = ReadPngFile(name);
    EXPECT_EQ(png.Pixel(0, 0), (Rgba{143, 119, 5, 146}));
    EXPECT_EQ(png.Pixel(1, 0), (Rgba{200, 100, 0, 255}));
    EXPECT_EQ(png.Pixel(2, 0), (Rgba{200, 100, 0, 0}));
    EXPECT_EQ(png.Pixel(3, 0), (Rgba{200, 100, 0, 255}));
    EXPECT_EQ(png.Pixel(0, 1), (Rgba{0, 0, 0, 0}));
}

// A PNG-stored image in 8-bit RGBA of its entry's size is written from its stored stream
// without being decoded; one in another layout is decoded. Both give back the stored pixels
// (colours wherever alpha is above 0) and carry the writer's chunks.
TEST(PngWriter, PngStoredImagesGiveBackTheirPixels) {
    auto sample = [](int x, int y, int c) -> std::uint16_t {
        int value = c == 3 ? (x * 37 + y * 11) % 256 : (x * 7 + y * 3 + c * 50) % 256;
        return static_cast<std::uint16_t>(value);
    };
    TempDir dir;
    for (int depth : {8, 16}) {
        ByteString stream = MakePngStream(
            {32, 32, PNG_COLOR_TYPE_RGB_ALPHA, depth, false, false, [&](int x, int y, int c) {
                 auto v = sample(x, y, c);
                 return static_cast<std::uint16_t>(depth == 16 ? v * 257 : v);
             }});
        TLoadedIconImage image;
        image.Width = image.Height = 32;
        image.DecodeImage(stream, true);
        std::string name = (dir.Path() / ("stored" + std::to_string(depth) + ".png")).string();
        SaveImageAsPng(image, name, TColor{0, 0, 255});
        EXPECT_EQ(image.Decoded(), depth != 8) << depth;

        DecodedPngFile png = ReadPngFile(name);
        ASSERT_EQ(png.width, 32u);
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                Rgba pixel = png.Pixel(x, y);
                auto alpha = static_cast<std::uint8_t>(sample(x, y, 3));
                ASSERT_EQ(pixel[3], alpha) << x << "," << y;
                if (alpha == 0) continue;
                for (int c = 0; c < 3; ++c) ASSERT_EQ(pixel[c], sample(x, y, c)) << x << "," << y;
            }
        }
        ASSERT_EQ(png.texts.size(), 1u);
        EXPECT_EQ(png.texts[0].first, "Software");
        EXPECT_EQ(png.backgroundBlue, 255);
        EXPECT_EQ(png.backgroundRed, 0);
    }
}

TEST(PngWriter, ImagesWithoutRowsAndSystemIconsGiveFilesOfTheirSize) {
    TempDir dir;
    // No rows: nothing is drawn, so the file is white and fully transparent.
    auto empty = ImageWithoutRows(256, 256, 32);
    std::string name = (dir.Path() / "empty.png").string();
    SaveImageAsPng(*empty, name, clBlack);
    DecodedPngFile png = ReadPngFile(name);
    EXPECT_EQ(png.width, 256u);
    EXPECT_EQ(png.height, 256u);
    EXPECT_EQ(png.Pixel(0, 0), (Rgba{255, 255, 255, 0}));
    EXPECT_EQ(png.Pixel(255, 255), (Rgba{255, 255, 255, 0}));
    auto paletted = ImageWithoutRows(16, 16, 4);
    SaveImageAsPng(*paletted, name, clBlack);
    EXPECT_EQ(ReadPngFile(name).Pixel(8, 8), (Rgba{255, 255, 255, 0}));

    // A system icon is opaque where its drawing covers the background.
    auto system = SystemIconImage();
    SaveImageAsPng(*system, name, clBlack);
    png = ReadPngFile(name);
    EXPECT_EQ(png.Pixel(1, 1), (Rgba{0, 0, 255, 255}));
    EXPECT_EQ(png.Pixel(2, 2), (Rgba{255, 255, 255, 0}));
}

TEST(PngWriter, BitmapsArePackedAndTheBackgroundChunkIsOptional) {
    TempDir dir;
    TBitmap colour(3, 2, TPixelFormat::pf24bit);
    TBitmap opacity(3, 2, TPixelFormat::pf24bit);
    colour.SetPixelColor(2, 1, {1, 2, 3});
    opacity.SetRawPixel(2, 1, 0x00FFFF7F);  // only the first (blue) byte counts
    std::string name = (dir.Path() / "packed.png").string();
    SaveBitmapsAsPng(name, colour, opacity, clWhite);
    DecodedPngFile png = ReadPngFile(name);
    EXPECT_EQ(png.Pixel(2, 1), (Rgba{1, 2, 3, 0x7F}));
    EXPECT_EQ(png.Pixel(0, 0), (Rgba{0, 0, 0, 0}));

    TPngBuffer buffer(2, 1);
    buffer.Pixels = {10, 20, 30, 40, 50, 60, 70, 80};
    WritePngFile(buffer, name, clWhite, false);
    png = ReadPngFile(name);
    EXPECT_FALSE(png.backgroundRed.has_value());
    EXPECT_EQ(png.Pixel(1, 0), (Rgba{50, 60, 70, 80}));
    EXPECT_EQ(FileNamesIn(dir.Path()), std::vector<std::string>{"packed.png"});

    TBitmap small(2, 2, TPixelFormat::pf24bit);
    EXPECT_THROW(SaveBitmapsAsPng(name, colour, small, clWhite), std::invalid_argument);
}

TEST(PngWriter, UnwritableTargetsFailWithTheOpeningErrorAndLeaveNothing) {
    TempDir dir;
    auto image = BorderedImage();
    std::string missing = (dir.Path() / "missing" / "x.png").string();
    try {
        SaveImageAsPng(*image, missing, clWhite);
        FAIL() << "no error";
    } catch (const TWriteError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Error Opening File " + missing + "! (No such file or directory)");
    }
    std::filesystem::create_directory(dir.Path() / "folder.png");
    std::string folder = (dir.Path() / "folder.png").string();
    try {
        SaveImageAsPng(*image, folder, clWhite);
        FAIL() << "no error";
    } catch (const TWriteError& error) {
        EXPECT_EQ(std::string(error.what()), "Error Opening File " + folder + "! (Is a directory)");
    }
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    EXPECT_EQ(FileNamesIn(dir.Path()), std::vector<std::string>{"folder.png"});

    // libpng rejects a zero-sized image: the writing error, and the file that was there
    // before stays as it was, with no partial file beside it.
    ByteString old = {1, 2, 3};
    std::string name = dir.Write("zero.png", old);
    TPngBuffer empty(0, 0);
    try {
        WritePngFile(empty, name, clWhite, true);
        FAIL() << "no error";
    } catch (const TWriteError& error) {
        EXPECT_EQ(std::string(error.what()), "Error Writing PNG File!");
    }
    EXPECT_EQ(FileBytes(name), old);
    EXPECT_EQ(FileNamesIn(dir.Path()), (std::vector<std::string>{"folder.png", "zero.png"}));
}
