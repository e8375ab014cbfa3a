#include <gtest/gtest.h>

#include "ImageBuilder.h"
#include "PngDecoder.h"
#include "TempDir.h"
#include "icons/Rendering.h"
#include "icons/StraightAlpha.h"
#include "writers/PngUnit.h"

namespace {

using Rgba = std::vector<std::uint8_t>;

Rgba WrittenPixel(TLoadedIconImage& image, const TempDir& dir, int x) {
    const std::string name = (dir.Path() / "written.png").string();
    SaveImageAsPng(image, name, clWhite);
    return ReadPngFile(name).Pixel(x, 0);
}

Rgba StraightPixel(TLoadedIconImage& image, int x) {
    const TRgbaImage rgba = StraightAlphaImage(image);
    return Rgba(rgba.At(x, 0), rgba.At(x, 0) + 4);
}

}  // namespace

// A 32-bit image with alpha is drawn and written by its alpha alone, so the soft shadow pixel
// whose mask bit is set is blended rather than cut out; one whose alpha bytes are all 0 is
// drawn and written as a 24-bit image is, through its mask.
TEST(AlphaDecision, ShadowPixelsBlendAndZeroAlphaImagesFallBackToTheirMask) {
    TempDir dir;
    auto shadow = MakeImage(2, 1, 32);
    SetRgba(*shadow, 0, 0, 163, 163, 163, 69);
    SetMaskBit(*shadow, 0, 0, true);
    SetRgba(*shadow, 1, 0, 9, 8, 7, 0);  // alpha 0 under an opaque mask bit
    ASSERT_TRUE(AlphaDecides(*shadow));
    TBitmap drawn = DrawOverBackground(*shadow, clWhite);
    EXPECT_EQ(drawn.PixelColor(0, 0), (TColor{230, 230, 230}));  // 255 - (255 - 163) * 69 / 256
    EXPECT_EQ(drawn.PixelColor(1, 0), clWhite);
    EXPECT_EQ(WrittenPixel(*shadow, dir, 0), (Rgba{163, 163, 163, 69}));
    EXPECT_EQ(WrittenPixel(*shadow, dir, 1), (Rgba{9, 8, 7, 0}));
    EXPECT_EQ(StraightPixel(*shadow, 0), (Rgba{163, 163, 163, 69}));

    auto old = MakeImage(2, 1, 32);
    SetRgba(*old, 0, 0, 10, 20, 30, 0);
    SetMaskBit(*old, 1, 0, true);
    ASSERT_FALSE(AlphaDecides(*old));
    TBitmap masked = DrawOverBackground(*old, clWhite);
    EXPECT_EQ(masked.PixelColor(0, 0), (TColor{10, 20, 30}));
    EXPECT_EQ(masked.PixelColor(1, 0), clWhite);
    EXPECT_EQ(WrittenPixel(*old, dir, 0), (Rgba{10, 20, 30, 255}));
    EXPECT_EQ(WrittenPixel(*old, dir, 1)[3], 0);
    EXPECT_EQ(StraightPixel(*old, 0), (Rgba{10, 20, 30, 255}));
    EXPECT_EQ(StraightPixel(*old, 1), (Rgba{0, 0, 0, 0}));

    // The mask as stored stays what the mask view shows.
    EXPECT_EQ(CreateMaskBitmap(*shadow).PixelColor(0, 0), clWhite);
}
