#include <gtest/gtest.h>

#include "ImageBuilder.h"
#include "icons/Rendering.h"

namespace {

constexpr TColor kRed{255, 0, 0};
constexpr TColor kGreen{0, 255, 0};
constexpr TColor kBlue{0, 0, 255};

// Draws the image at (0, 0) onto a fresh 24-bit bitmap whose brush is `brush`.
TBitmap Render(TLoadedIconImage& image, TColor brush, TColor background = clWhite) {
    TBitmap target(image.PixelWidth(), image.PixelHeight(), TPixelFormat::pf24bit);
    target.Canvas().BrushColor = brush;
    DrawIconImage(image, target.Canvas(), 0, 0, background);
    return target;
}

TColor Xor(TColor a, TColor b) {
    return {static_cast<std::uint8_t>(a.Red ^ b.Red), static_cast<std::uint8_t>(a.Green ^ b.Green),
            static_cast<std::uint8_t>(a.Blue ^ b.Blue)};
}

class RecordingClipboard : public TClipboardSink {
public:
    void SetBitmap(const TBitmap& bitmap) override { Bitmaps.emplace_back(bitmap); }
    std::vector<TBitmap> Bitmaps;
};

class DrawnSystemIcon : public TSystemIcon {
public:
    void Draw(TCanvas& canvas, int x, int y) const override {
        canvas.BrushColor = kBlue;
        canvas.FillRect(x, y, x + 2, y + 2);
    }
};

}  // namespace

TEST(Rendering, PalettisedAndSixteenBitImagesAreConvertedThroughTheirPalette) {
    auto four = MakeImage(32, 32, 4);
    SetPaletteColor(*four, 3, 10, 20, 30);
    SetPaletteColor(*four, 15, 250, 251, 252);
    SetStoredPixel(*four, 0, 0, 3);     // top left
    SetStoredPixel(*four, 31, 31, 15);  // bottom right
    PrepareDisplayBits(*four);
    EXPECT_EQ(four->DisplayStride(), 96);
    ASSERT_EQ(four->DisplayBits().size(), 96u * 32);
    // Display rows run bottom first like the stored rows: the top-left pixel is in the last row.
    const std::uint8_t* top = four->DisplayBits().data() + 31 * 96;
    EXPECT_EQ(top[0], 30);  // blue, green, red
    EXPECT_EQ(top[1], 20);
    EXPECT_EQ(top[2], 10);
    TBitmap drawn = Render(*four, kGreen);
    EXPECT_EQ(drawn.PixelColor(0, 0), (TColor{10, 20, 30}));
    EXPECT_EQ(drawn.PixelColor(31, 31), (TColor{250, 251, 252}));
    EXPECT_EQ(drawn.PixelColor(5, 5), clBlack);  // palette entry 0

    auto eight = MakeImage(16, 16, 8);
    SetPaletteColor(*eight, 200, 1, 2, 3);
    SetStoredPixel(*eight, 4, 2, 200);
    EXPECT_EQ(Render(*eight, kGreen).PixelColor(4, 2), (TColor{1, 2, 3}));

    auto sixteen = MakeImage(16, 16, 16);
    SetStoredPixel(*sixteen, 1, 1, (31u << 10) | (16u << 5) | 1u);  // 5-5-5 red, green, blue
    EXPECT_EQ(Render(*sixteen, kGreen).PixelColor(1, 1), (TColor{255, 132, 8}));
}

TEST(Rendering, DisplayRowsAreBuiltOnceAndKeptForDirectFormats) {
    auto four = MakeImage(16, 16, 4);
    SetPaletteColor(*four, 1, 9, 9, 9);
    SetStoredPixel(*four, 0, 0, 1);
    Render(*four, clWhite);
    EXPECT_TRUE(four->Prepared());
    SetStoredPixel(*four, 0, 0, 0);  // a change of the rows is not seen again
    EXPECT_EQ(Render(*four, clWhite).PixelColor(0, 0), (TColor{9, 9, 9}));

    auto rgb = MakeImage(16, 16, 24);
    SetStoredPixel(*rgb, 2, 3, 0x112233);
    PrepareDisplayBits(*rgb);
    EXPECT_EQ(rgb->DisplayStride(), 48);
    EXPECT_EQ(rgb->DisplayBits(), rgb->ImageBits());
    EXPECT_EQ(Render(*rgb, kGreen).PixelColor(2, 3), (TColor{0x11, 0x22, 0x33}));

    auto mono = MakeImage(48, 48, 1);
    PrepareDisplayBits(*mono);
    EXPECT_EQ(mono->DisplayStride(), 8);
    EXPECT_EQ(mono->DisplayBits(), mono->ImageBits());
}

TEST(Rendering, MaskAndXorBitsFollowTheBrush) {
    auto mono = MakeImage(16, 16, 1);
    SetPaletteColor(*mono, 0, 255, 0, 0);  // red and blue palette: still drawn black and white
    SetPaletteColor(*mono, 1, 0, 0, 255);
    SetStoredPixel(*mono, 1, 0, 1);
    SetMaskBit(*mono, 2, 0, true);
    SetMaskBit(*mono, 3, 0, true);
    SetStoredPixel(*mono, 3, 0, 1);
    TBitmap drawn = Render(*mono, kGreen);
    EXPECT_EQ(drawn.PixelColor(0, 0), clBlack);
    EXPECT_EQ(drawn.PixelColor(1, 0), clWhite);
    EXPECT_EQ(drawn.PixelColor(2, 0), kGreen);                // transparent: the brush
    EXPECT_EQ(drawn.PixelColor(3, 0), Xor(kGreen, clWhite));  // screen-inverting pixel

    auto rgb = MakeImage(16, 16, 24);
    SetMaskBit(*rgb, 0, 15, true);
    SetStoredPixel(*rgb, 0, 15, 0x0000FF);  // blue, under a transparent mask bit
    EXPECT_EQ(Render(*rgb, kRed).PixelColor(0, 15), (TColor{255, 0, 255}));
}

TEST(Rendering, AlphaBlendRoundsHalvesToEvenOverTheBackground) {
    auto image = MakeImage(16, 16, 32);
    SetRgba(*image, 0, 0, 200, 100, 0, 128);
    SetRgba(*image, 1, 0, 200, 100, 0, 64);
    SetRgba(*image, 2, 0, 10, 20, 30, 255);
    SetRgba(*image, 3, 0, 10, 20, 30, 255);
    SetMaskBit(*image, 3, 0, true);
    SetRgba(*image, 4, 0, 10, 20, 30, 0);
    SetRgba(*image, 5, 0, 1, 3, 5, 128);
    TBitmap drawn = Render(*image, kGreen);
    EXPECT_EQ(drawn.PixelColor(0, 0), (TColor{228, 178, 128}));
    // f = 64 / 256: 255 * 0.75 + 200 * 0.25 = 241.25, 216.25, 191.25.
    EXPECT_EQ(drawn.PixelColor(1, 0), (TColor{241, 216, 191}));
    EXPECT_EQ(drawn.PixelColor(2, 0), (TColor{10, 20, 30}));
    EXPECT_EQ(drawn.PixelColor(3, 0), (TColor{10, 20, 30}));  // alpha decides, not the mask
    EXPECT_EQ(drawn.PixelColor(4, 0), kGreen);                // alpha 0: the brush
    // Over black: 0.5, 1.5, 2.5 round to 0, 2, 2.
    EXPECT_EQ(Render(*image, kGreen, clBlack).PixelColor(5, 0), (TColor{0, 2, 2}));
}

TEST(Rendering, FullSizeImagesAndPositionsUsePixelSizes) {
    auto large = MakeImage(256, 256, 32);
    ASSERT_EQ(large->Width, 0);
    SetRgba(*large, 255, 255, 1, 2, 3, 255);
    SetRgba(*large, 0, 0, 4, 5, 6, 255);
    TBitmap drawn = Render(*large, kGreen);
    EXPECT_EQ(drawn.PixelColor(255, 255), (TColor{1, 2, 3}));
    EXPECT_EQ(drawn.PixelColor(0, 0), (TColor{4, 5, 6}));

    auto small = MakeImage(16, 16, 24);
    SetStoredPixel(*small, 0, 0, 0x010203);
    TBitmap target(20, 20, TPixelFormat::pf24bit);
    target.Canvas().BrushColor = kRed;
    target.Canvas().FillRect(0, 0, 20, 20);
    DrawIconImage(*small, target.Canvas(), 2, 3, clWhite);
    EXPECT_EQ(target.PixelColor(2, 3), (TColor{1, 2, 3}));
    EXPECT_EQ(target.PixelColor(1, 3), kRed);
    EXPECT_EQ(target.PixelColor(17, 18), clBlack);
    EXPECT_EQ(target.PixelColor(18, 19), kRed);
    DrawIconImage(*small, target.Canvas(), 10, 10, clWhite);  // clipped at the edge
    EXPECT_EQ(target.PixelColor(19, 19), clBlack);
}

TEST(Rendering, ChannelViewsShowMaskImageAndAlpha) {
    auto image = MakeImage(16, 16, 32);
    SetRgba(*image, 0, 0, 10, 20, 30, 77);
    SetMaskBit(*image, 1, 0, true);
    SetRgba(*image, 1, 0, 40, 50, 60, 0);

    TBitmap mask = CreateMaskBitmap(*image);
    EXPECT_EQ(mask.PixelFormat(), TPixelFormat::pf1bit);
    EXPECT_EQ(mask.PixelColor(0, 0), clBlack);
    EXPECT_EQ(mask.PixelColor(1, 0), clWhite);

    TBitmap target(16, 16, TPixelFormat::pf24bit);
    DrawMaskInverted(*image, target.Canvas(), 0, 0);  // on black: opaque white
    EXPECT_EQ(target.PixelColor(0, 0), clWhite);
    EXPECT_EQ(target.PixelColor(1, 0), clBlack);
    DrawMask(*image, target.Canvas(), 0, 0);
    EXPECT_EQ(target.PixelColor(0, 0), clBlack);
    EXPECT_EQ(target.PixelColor(1, 0), clWhite);
    DrawImageChannel(*image, target.Canvas(), 0, 0);
    EXPECT_EQ(target.PixelColor(0, 0), (TColor{10, 20, 30}));  // no blend, no mask
    EXPECT_EQ(target.PixelColor(1, 0), (TColor{40, 50, 60}));
    DrawAlphaChannel(*image, target.Canvas(), 0, 0);
    EXPECT_EQ(target.PixelColor(0, 0), (TColor{77, 77, 77}));
    EXPECT_EQ(target.PixelColor(1, 0), clBlack);

    auto four = MakeImage(16, 16, 4);
    EXPECT_EQ(CreateFormatBitmap(*four).PixelFormat(), TPixelFormat::pf4bit);
    target.Canvas().BrushColor = kRed;
    target.Canvas().FillRect(0, 0, 16, 16);
    DrawAlphaChannel(*four, target.Canvas(), 0, 0);  // no alpha byte: nothing drawn
    EXPECT_EQ(target.PixelColor(0, 0), kRed);
}

TEST(Rendering, ImagesWithoutRowsDrawNothingOrThroughTheirHandle) {
    TLoadedIconImage empty;  // width byte 0 with empty rows
    empty.BitCount = 32;
    TBitmap target(4, 4, TPixelFormat::pf24bit);
    target.Canvas().BrushColor = kRed;
    target.Canvas().FillRect(0, 0, 4, 4);
    DrawIconImage(empty, target.Canvas(), 0, 0, clWhite);
    DrawImageChannel(empty, target.Canvas(), 0, 0);
    DrawMask(empty, target.Canvas(), 0, 0);
    DrawAlphaChannel(empty, target.Canvas(), 0, 0);
    EXPECT_EQ(target.PixelColor(0, 0), kRed);

    auto twoBit = MakeImage(4, 4, 2);  // no conversion for 2 bits: nothing drawn
    DrawIconImage(*twoBit, target.Canvas(), 0, 0, clWhite);
    EXPECT_TRUE(twoBit->DisplayBits().empty());
    EXPECT_EQ(target.PixelColor(0, 0), kRed);

    TLoadedIconImage shell;
    shell.Width = shell.Height = 32;
    shell.IsSystemIcon = true;
    shell.SystemIcon = std::make_unique<DrawnSystemIcon>();
    DrawImageChannel(shell, target.Canvas(), 0, 0);
    EXPECT_EQ(target.PixelColor(0, 0), kRed);
    DrawIconImage(shell, target.Canvas(), 1, 1, clWhite);
    EXPECT_EQ(target.PixelColor(1, 1), kBlue);
    EXPECT_EQ(target.PixelColor(3, 3), kRed);
}

TEST(Rendering, ClipboardGetsTheImageOverTheBackground) {
    auto image = MakeImage(16, 16, 32);
    SetRgba(*image, 0, 0, 200, 100, 0, 128);
    SetMaskBit(*image, 1, 0, true);
    RecordingClipboard clipboard;
    CopyImageToClipboard(*image, clWhite, clipboard);
    ASSERT_EQ(clipboard.Bitmaps.size(), 1u);
    const TBitmap& copied = clipboard.Bitmaps[0];
    EXPECT_EQ(copied.PixelFormat(), TPixelFormat::pf24bit);
    EXPECT_EQ(copied.Width(), 16);
    EXPECT_EQ(copied.PixelColor(0, 0), (TColor{228, 178, 128}));
    EXPECT_EQ(copied.PixelColor(1, 0), clWhite);  // transparent pixels show the background

    CopyImageToClipboard(*image, kBlue, clipboard);
    EXPECT_EQ(clipboard.Bitmaps[1].PixelColor(1, 0), kBlue);
}
