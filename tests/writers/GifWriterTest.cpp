#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "GifDecoder.h"
#include "ImageBuilder.h"
#include "TempDir.h"
#include "WriterTestImages.h"
#include "writers/GifWriter.h"
#include "writers/WriterError.h"

namespace {

GifFrame SaveAndDecode(TLoadedIconImage& image, TColor background, const TempDir& dir) {
    std::string name = (dir.Path() / "image.gif").string();
    SaveImageAsGif(image, name, background);
    DecodedGif gif = ReadGifFile(name);
    EXPECT_EQ(gif.version, "89a");
    EXPECT_TRUE(gif.trailer);
    EXPECT_EQ(gif.frames.size(), 1u);
    return gif.frames.at(0);
}

TColor ColourAt(const GifFrame& frame, int x, int y) {
    return frame.colorTable.at(frame.Index(x, y));
}

// 256 colours, one per pixel of a 16 x 16 bitmap, each alone in its 5-5-5 cell and its octree
// leaf, so that the reduction keeps every one and every index is used once.
TBitmap AllIndicesBitmap() {
    TBitmap colour(16, 16, TPixelFormat::pf24bit);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            colour.SetPixelColor(
                x, y, {static_cast<std::uint8_t>(x * 16), static_cast<std::uint8_t>(y * 16), 0});
    return colour;
}

}  // namespace

TEST(GifWriter, TransparentBorderUsesOneIndexOfItsOwnMarkedTransparent) {
    TempDir dir;
    auto image = BorderedImage();
    GifFrame frame = SaveAndDecode(*image, {0, 128, 128}, dir);
    EXPECT_EQ(frame.width, 16);
    EXPECT_EQ(frame.height, 16);
    ASSERT_TRUE(frame.hasGraphicControl);
    ASSERT_TRUE(frame.transparent);
    EXPECT_EQ(frame.colorTable.size(), 256u);
    EXPECT_EQ(frame.minCodeSize, 8);
    // Before the mask is applied the border is drawn white, so the palette is kMarker,
    // kInside and white in octree order, then black; the border takes the lowest index that
    // no pixel uses, 3.
    EXPECT_EQ(frame.colorTable[0], kMarker);
    EXPECT_EQ(frame.colorTable[1], kInside);
    EXPECT_EQ(frame.colorTable[2], clWhite);
    EXPECT_EQ(frame.transparentIndex, 3);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            if (OnBorder(x, y)) {
                ASSERT_EQ(frame.Index(x, y), frame.transparentIndex) << x << "," << y;
            } else {
                ASSERT_NE(frame.Index(x, y), frame.transparentIndex) << x << "," << y;
                ASSERT_EQ(ColourAt(frame, x, y), (x == 1 && y == 1) ? kMarker : kInside);
            }
        }
    }
}

TEST(GifWriter, ThirtyTwoBitPixelsAreBlendedWithTheBackgroundBeforeReduction) {
    TempDir dir;
    auto image = MakeImage(4, 1, 32);
    SetRgba(*image, 0, 0, 200, 100, 0, 255);
    SetRgba(*image, 1, 0, 200, 100, 0, 128);  // half transparent: darkened over black
    SetMaskBit(*image, 1, 0, true);           // a mask bit set does not matter
    SetRgba(*image, 2, 0, 200, 100, 0, 0);    // alpha 0 with an opaque mask: transparent
    SetRgba(*image, 3, 0, 0, 0, 0, 0);
    SetMaskBit(*image, 3, 0, true);
    GifFrame frame = SaveAndDecode(*image, clBlack, dir);
    EXPECT_EQ(ColourAt(frame, 0, 0), (TColor{200, 100, 0}));
    EXPECT_EQ(ColourAt(frame, 1, 0), (TColor{100, 50, 0}));
    ASSERT_TRUE(frame.transparent);
    EXPECT_EQ(frame.Index(2, 0), frame.transparentIndex);
    EXPECT_EQ(frame.Index(3, 0), frame.transparentIndex);
    EXPECT_NE(frame.Index(0, 0), frame.transparentIndex);
    EXPECT_NE(frame.Index(1, 0), frame.transparentIndex);
}

TEST(GifWriter, WhenAllIndicesAreUsedTheLeastUsedOneIsFreedForTheMask) {
    TBitmap colour = AllIndicesBitmap();
    TBitmap opaque(16, 16, TPixelFormat::pf1bit);
    TGifReduction full = ReduceForGif(colour, opaque);
    EXPECT_EQ(full.TransparentIndex, -1);  // nothing transparent: no index needed
    std::set<std::uint32_t> used;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) used.insert(full.Bitmap.RawPixel(x, y));
    EXPECT_EQ(used.size(), 256u);
    EXPECT_EQ(full.Bitmap.Palette[0], clBlack);  // (0, 0, 0) comes first in octree order

    // Pixels (5, 5) and (6, 5) transparent: every index is used once, so index 0 is the least
    // used; the opaque black pixel that had it moves to the nearest other colour.
    TBitmap mask(16, 16, TPixelFormat::pf1bit);
    mask.SetRawPixel(5, 5, 1);
    mask.SetRawPixel(6, 5, 1);
    TGifReduction reduced = ReduceForGif(colour, mask);
    ASSERT_EQ(reduced.TransparentIndex, 0);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            bool transparent = (y == 5 && (x == 5 || x == 6));
            ASSERT_EQ(reduced.Bitmap.RawPixel(x, y) == 0, transparent) << x << "," << y;
        }
    }
    TColor moved = reduced.Bitmap.PixelColor(0, 0);
    EXPECT_TRUE(moved == (TColor{16, 0, 0}) || moved == (TColor{0, 16, 0}));
    EXPECT_EQ(reduced.Bitmap.PixelColor(15, 15), (TColor{240, 240, 0}));
}

TEST(GifWriter, ImagesWithoutRowsAreFullyTransparentAndSystemIconsKeepTheirDrawing) {
    TempDir dir;
    auto empty = ImageWithoutRows(256, 256, 32);
    GifFrame frame = SaveAndDecode(*empty, clBlack, dir);
    EXPECT_EQ(frame.width, 256);
    ASSERT_TRUE(frame.transparent);
    EXPECT_EQ(frame.pixels, ByteString(256 * 256, frame.transparentIndex));

    auto system = SystemIconImage();
    frame = SaveAndDecode(*system, clBlack, dir);
    ASSERT_TRUE(frame.transparent);
    EXPECT_EQ(ColourAt(frame, 0, 0), (TColor{0, 0, 255}));
    EXPECT_EQ(ColourAt(frame, 1, 1), (TColor{0, 0, 255}));
    EXPECT_NE(frame.Index(1, 1), frame.transparentIndex);
    EXPECT_EQ(frame.Index(2, 0), frame.transparentIndex);
    EXPECT_EQ(frame.Index(15, 15), frame.transparentIndex);
}

TEST(GifWriter, UnwritableTargetsFailWithTheOpeningError) {
    TempDir dir;
    auto image = BorderedImage();
    std::string missing = (dir.Path() / "missing" / "x.gif").string();
    std::filesystem::create_directory(dir.Path() / "folder.gif");
    std::string folder = (dir.Path() / "folder.gif").string();
    for (const std::string& target : {missing, folder}) {
        try {
            SaveImageAsGif(*image, target, clWhite);
            FAIL() << "no error for " << target;
        } catch (const TWriteError& error) {
            const char* reason = target == missing ? "No such file or directory" : "Is a directory";
            EXPECT_EQ(std::string(error.what()),
                      "Error Opening File " + target + "! (" + reason + ")");
        }
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path() / "folder.gif"));
}
