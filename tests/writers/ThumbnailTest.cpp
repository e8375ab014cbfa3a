#include <gtest/gtest.h>

#include "ImageBuilder.h"
#include "PngDecoder.h"
#include "TempDir.h"
#include "WriterTestImages.h"
#include "writers/Thumbnail.h"

namespace {

using Rgba = std::vector<std::uint8_t>;

// Each channel within one step of the expected value.
void ExpectNear(const Rgba& actual, const Rgba& expected, const std::string& where) {
    ASSERT_EQ(actual.size(), expected.size()) << where;
    for (std::size_t c = 0; c < actual.size(); ++c)
        EXPECT_NEAR(actual[c], expected[c], 1) << where << " channel " << c;
}

}  // namespace

TEST(Thumbnail, ChoosesTheSmallestLargeEnoughDeepestImageOfTheFirstIcon) {
    TLoadedIcon icon;
    AddImage(icon, 16, 16, 4, "#1");
    TLoadedIconImage& deep48 = AddImage(icon, 48, 48, 32, "#1");
    AddImage(icon, 48, 48, 8, "#1");
    TLoadedIconImage& mid = AddImage(icon, 32, 32, 32, "#1");
    AddImage(icon, 256, 256, 32, "#2");  // another icon: never chosen
    EXPECT_EQ(ChooseThumbnailImage(icon, 16), icon.Images[0].get());
    EXPECT_EQ(ChooseThumbnailImage(icon, 20), &mid);
    EXPECT_EQ(ChooseThumbnailImage(icon, 40), &deep48);
    EXPECT_EQ(ChooseThumbnailImage(icon, 48), &deep48);
    EXPECT_EQ(ChooseThumbnailImage(icon, 256), &deep48);  // none that large: the largest

    TLoadedIcon nothing;
    EXPECT_EQ(ChooseThumbnailImage(nothing, 256), nullptr);
    nothing.AddImage(SystemIconImage());
    AddImage(nothing, 32, 32, 2);  // no drawing for 2 bits
    EXPECT_EQ(ChooseThumbnailImage(nothing, 256), nullptr);
}

TEST(Thumbnail, ScalesDownByAreaWithStraightAlphaAndNeverUp) {
    TempDir dir;
    // Columns 0 to 24 opaque red, the rest green at alpha 64.
    TLoadedIcon icon;
    TLoadedIconImage& image = AddImage(icon, 48, 48, 32);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 48; ++x)
            x < 25 ? SetRgba(image, x, y, 255, 0, 0, 255) : SetRgba(image, x, y, 0, 255, 0, 64);
    std::string third = (dir.Path() / "third.png").string();
    SaveThumbnail(image, 16, third);
    DecodedPngFile png = ReadPngFile(third);
    ASSERT_EQ(png.width, 16u);
    ASSERT_EQ(png.height, 16u);
    ExpectNear(png.Pixel(0, 5), {255, 0, 0, 255}, "red");
    ExpectNear(png.Pixel(15, 5), {0, 255, 0, 64}, "green keeps its colour, not blended");
    // One red and two green source columns, averaged by their opacity.
    ExpectNear(png.Pixel(8, 5), {170, 85, 0, 128}, "mixed");
    EXPECT_FALSE(png.backgroundRed.has_value());

    // Smaller than asked: written as it is; mask transparency gives (0, 0, 0, 0).
    std::string small = (dir.Path() / "small.png").string();
    SaveThumbnail(*BorderedImage(), 256, small);
    png = ReadPngFile(small);
    ASSERT_EQ(png.width, 16u);
    EXPECT_EQ(png.Pixel(0, 0), (Rgba{0, 0, 0, 0}));
    EXPECT_EQ(png.Pixel(5, 5), (Rgba{kInside.Red, kInside.Green, kInside.Blue, 255}));

    // 32-bit rows whose alpha bytes are all 0 show through their mask.
    TLoadedIconImage& old = AddImage(icon, 16, 16, 32);
    SetRgba(old, 3, 3, 10, 20, 30, 0);
    SetMaskBit(old, 0, 0, true);
    std::string masked = (dir.Path() / "masked.png").string();
    SaveThumbnail(old, 256, masked);
    png = ReadPngFile(masked);
    EXPECT_EQ(png.Pixel(0, 0), (Rgba{0, 0, 0, 0}));
    EXPECT_EQ(png.Pixel(3, 3), (Rgba{10, 20, 30, 255}));
}
