#include <gtest/gtest.h>

#include "graphics/Bitmap.h"

namespace {

TBitmap Solid(TPixelFormat format, TColor color, int w = 3, int h = 2) {
    TBitmap bitmap(w, h, format);
    bitmap.Canvas().BrushColor = color;
    bitmap.Canvas().FillRect(0, 0, w, h);
    return bitmap;
}

}  // namespace

TEST(Bitmap, StridesAndRawPixelsPerFormat) {
    EXPECT_EQ(TBitmap(33, 1, TPixelFormat::pf1bit).Stride(), 8);
    EXPECT_EQ(TBitmap(9, 1, TPixelFormat::pf4bit).Stride(), 8);
    EXPECT_EQ(TBitmap(5, 1, TPixelFormat::pf8bit).Stride(), 8);
    EXPECT_EQ(TBitmap(3, 1, TPixelFormat::pf16bit).Stride(), 8);
    EXPECT_EQ(TBitmap(5, 1, TPixelFormat::pf24bit).Stride(), 16);
    EXPECT_EQ(TBitmap(3, 1, TPixelFormat::pf32bit).Stride(), 12);

    TBitmap one(10, 1, TPixelFormat::pf1bit);
    one.SetRawPixel(0, 0, 1);
    one.SetRawPixel(9, 0, 1);
    EXPECT_EQ(one.ScanLine(0)[0], 0x80);  // leftmost pixel is the high bit
    EXPECT_EQ(one.ScanLine(0)[1], 0x40);
    EXPECT_EQ(one.PixelColor(0, 0), clWhite);
    EXPECT_EQ(one.PixelColor(1, 0), clBlack);

    TBitmap four(3, 1, TPixelFormat::pf4bit);
    four.SetRawPixel(0, 0, 0xA);
    four.SetRawPixel(1, 0, 0x5);
    EXPECT_EQ(four.ScanLine(0)[0], 0xA5);  // high nibble first
    EXPECT_EQ(four.PixelColor(1, 0), (TColor{128, 0, 128}));
}

TEST(Bitmap, ConvertsEveryFormatTo24BitThroughPaletteOr555) {
    TBitmap eight(2, 1, TPixelFormat::pf8bit);
    eight.Palette[7] = {10, 20, 30};
    eight.SetRawPixel(1, 0, 7);
    TBitmap converted = ConvertTo24Bit(eight);
    EXPECT_EQ(converted.PixelColor(1, 0), (TColor{10, 20, 30}));
    EXPECT_EQ(converted.ScanLine(0)[3], 30);  // stored blue, green, red
    EXPECT_EQ(converted.ScanLine(0)[5], 10);

    TBitmap word(1, 1, TPixelFormat::pf16bit);
    word.SetRawPixel(0, 0, (31u << 10) | (16u << 5) | 1u);
    EXPECT_EQ(ConvertTo24Bit(word).PixelColor(0, 0), (TColor{255, 132, 8}));

    TBitmap alpha(1, 1, TPixelFormat::pf32bit);
    alpha.SetRawPixel(0, 0, 0x80112233u);
    EXPECT_EQ(ConvertTo24Bit(alpha).PixelColor(0, 0), (TColor{0x11, 0x22, 0x33}));
}

TEST(Canvas, RasterOperationsCombineSourceDestinationAndBrush) {
    const TColor src{0xF0, 0x0F, 0x55};
    const TColor dst{0x3C, 0x3C, 0xFF};
    TBitmap source = Solid(TPixelFormat::pf24bit, src, 1, 1);

    TBitmap copy = Solid(TPixelFormat::pf24bit, dst, 1, 1);
    copy.Canvas().Draw(0, 0, source, TRasterOp::SRCCOPY);
    EXPECT_EQ(copy.PixelColor(0, 0), src);

    TBitmap merge = Solid(TPixelFormat::pf24bit, dst, 1, 1);
    merge.Canvas().BrushColor = {0xFF, 0x00, 0x0F};
    merge.Canvas().Draw(0, 0, source, TRasterOp::MERGECOPY);
    EXPECT_EQ(merge.PixelColor(0, 0), (TColor{0xF0, 0x00, 0x05}));

    TBitmap invert = Solid(TPixelFormat::pf24bit, dst, 1, 1);
    invert.Canvas().Draw(0, 0, source, TRasterOp::SRCINVERT);
    EXPECT_EQ(invert.PixelColor(0, 0), (TColor{0xCC, 0x33, 0xAA}));

    TBitmap paint = Solid(TPixelFormat::pf24bit, dst, 1, 1);
    paint.Canvas().Draw(0, 0, source, TRasterOp::MERGEPAINT);
    EXPECT_EQ(paint.PixelColor(0, 0), (TColor{0x3F, 0xFC, 0xFF}));

    // A black-and-white mask drawn with MERGEPAINT on black: white where the mask is black.
    TBitmap mask(2, 1, TPixelFormat::pf1bit);
    mask.SetRawPixel(1, 0, 1);
    TBitmap black = Solid(TPixelFormat::pf24bit, clBlack, 2, 1);
    black.Canvas().Draw(0, 0, mask, TRasterOp::MERGEPAINT);
    EXPECT_EQ(black.PixelColor(0, 0), clWhite);
    EXPECT_EQ(black.PixelColor(1, 0), clBlack);
}

TEST(Canvas, DrawingIsClippedAndKeepsAlphaBetween32BitBitmaps) {
    TBitmap source = Solid(TPixelFormat::pf24bit, {1, 2, 3}, 2, 2);
    TBitmap target = Solid(TPixelFormat::pf24bit, clWhite, 3, 3);
    target.Canvas().Draw(2, -1, source);
    EXPECT_EQ(target.PixelColor(2, 0), (TColor{1, 2, 3}));
    EXPECT_EQ(target.PixelColor(1, 0), clWhite);
    EXPECT_EQ(target.PixelColor(2, 1), clWhite);
    EXPECT_EQ(target.Canvas().Pixel(5, 5), clBlack);

    TBitmap from(1, 1, TPixelFormat::pf32bit);
    from.SetRawPixel(0, 0, 0x7F010203u);
    TBitmap to(1, 1, TPixelFormat::pf32bit);
    to.Canvas().Draw(0, 0, from);
    EXPECT_EQ(to.RawPixel(0, 0), 0x7F010203u);

    TBitmap palettised(1, 1, TPixelFormat::pf4bit);
    palettised.Canvas().Draw(0, 0, Solid(TPixelFormat::pf24bit, {250, 5, 5}, 1, 1));
    EXPECT_EQ(palettised.RawPixel(0, 0), 9u);  // nearest VGA entry: bright red
}
