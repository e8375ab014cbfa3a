#include <gtest/gtest.h>

#include <algorithm>

#include "writers/GifColorQuantizer.h"
#include "writers/GifColorReduction.h"
#include "writers/GifDitherer.h"
#include "writers/GifFastColorLookup.h"

namespace {

// The octree visits colours in the order of their bits interleaved from the top:
// red 7, green 7, blue 7, red 6, ...
std::uint32_t OctreeKey(TColor c) {
    std::uint32_t key = 0;
    for (int bit = 7; bit >= 0; --bit)
        key = (key << 3) | (((c.Red >> bit) & 1u) << 2) | (((c.Green >> bit) & 1u) << 1) |
              ((c.Blue >> bit) & 1u);
    return key;
}

// A 256-entry palette, black but for the given entries.
std::vector<TColor> PaletteWith(std::initializer_list<std::pair<int, TColor>> entries) {
    std::vector<TColor> palette(256, clBlack);
    for (const auto& [index, colour] : entries) palette[static_cast<std::size_t>(index)] = colour;
    return palette;
}

TColor Grey(int v) {
    auto g = static_cast<std::uint8_t>(v);
    return {g, g, g};
}

}  // namespace

TEST(GifQuantizer, DistinctColoursBecomeLeavesInOctreeOrderPaddedWithBlack) {
    std::vector<TColor> colours;
    for (int i = 0; i < 40; ++i)
        colours.push_back({static_cast<std::uint8_t>(255 - i * 6),
                           static_cast<std::uint8_t>(i * 37 % 256),
                           static_cast<std::uint8_t>(i * 11 + 3)});
    TColorQuantizer quantizer;
    for (int repeat = 0; repeat < 3; ++repeat)
        for (TColor c : colours) quantizer.AddColor(c);
    EXPECT_EQ(quantizer.LeafCount(), 40);
    std::vector<TColor> expected = colours;
    std::sort(expected.begin(), expected.end(),
              [](TColor a, TColor b) { return OctreeKey(a) < OctreeKey(b); });
    std::vector<TColor> palette = quantizer.Palette();
    ASSERT_EQ(palette.size(), 256u);
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), palette.begin()));
    EXPECT_TRUE(
        std::all_of(palette.begin() + 40, palette.end(), [](TColor c) { return c == clBlack; }));
}

TEST(GifQuantizer, TheNewestDeepestNodeIsFoldedWhenTheLeavesPass256) {
    // Reds 0 to 255 fill 128 nodes of depth 7 with two leaves each. Green 1 adds a third leaf
    // under the node of reds 0 and 1, and the tree folds the newest depth-7 node: reds 254
    // and 255 become one leaf, their mean 509 / 2 = 254.
    TColorQuantizer quantizer;
    for (int r = 0; r < 256; ++r) quantizer.AddColor({static_cast<std::uint8_t>(r), 0, 0});
    EXPECT_EQ(quantizer.LeafCount(), 256);
    quantizer.AddColor({0, 1, 0});
    EXPECT_EQ(quantizer.LeafCount(), 256);
    std::vector<TColor> palette = quantizer.Palette();
    auto has = [&](TColor c) {
        return std::find(palette.begin(), palette.end(), c) != palette.end();
    };
    EXPECT_TRUE(has({0, 1, 0}));
    EXPECT_TRUE(has({1, 0, 0}));
    EXPECT_TRUE(has({254, 0, 0}));
    EXPECT_TRUE(has({253, 0, 0}));
    EXPECT_FALSE(has({255, 0, 0}));
    EXPECT_EQ(palette.back(), (TColor{254, 0, 0}));  // the highest red comes last

    // A large gradient keeps the tree at 256 leaves and every entry a mean of its pixels.
    TColorQuantizer gradient;
    for (int r = 0; r < 256; r += 3)
        for (int g = 0; g < 256; g += 3)
            gradient.AddColor({static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g), 77});
    EXPECT_LE(gradient.LeafCount(), 256);
    EXPECT_GT(gradient.LeafCount(), 64);
    for (TColor c : gradient.Palette())
        if (c != clBlack) {
            EXPECT_EQ(c.Blue, 77);
        }
}

TEST(GifColorLookup, CellsOfTheFiveBitCacheAreOwnedByTheirFirstColour) {
    EXPECT_EQ(TFastColorLookup::CellOf({8, 0, 0}), 1);
    EXPECT_EQ(TFastColorLookup::CellOf({0, 8, 0}), 32);
    EXPECT_EQ(TFastColorLookup::CellOf({0, 0, 8}), 1024);
    EXPECT_EQ(TFastColorLookup::CellOf({255, 255, 255}), 32767);

    // Entries 1 and 2 share a cell: the lower index owns it, so both colours map to 1.
    TFastColorLookup shared(PaletteWith({{1, Grey(100)}, {2, {101, 100, 100}}, {3, Grey(200)}}));
    EXPECT_EQ(shared.CachedIndex(TFastColorLookup::CellOf(Grey(100))), 1);
    EXPECT_EQ(shared.Lookup({101, 100, 100}), 1);
    EXPECT_EQ(shared.Lookup(Grey(200)), 3);
    EXPECT_EQ(shared.Lookup(clBlack), 0);  // the first of the black entries

    // An empty cell is searched once (sum of absolute differences, lowest index on ties);
    // later colours of that cell take the stored answer even where another entry is nearer.
    TFastColorLookup searched(PaletteWith({{1, {50, 0, 0}}, {2, {70, 0, 0}}}));
    const int cell = TFastColorLookup::CellOf({56, 0, 0});
    EXPECT_EQ(searched.CachedIndex(cell), -1);
    EXPECT_EQ(searched.Lookup({56, 0, 0}), 1);
    EXPECT_EQ(searched.CachedIndex(cell), 1);
    EXPECT_EQ(searched.Lookup({63, 0, 0}), 1);  // entry 2 is nearer, the cell answers 1
    TFastColorLookup tie(PaletteWith({{1, {50, 0, 0}}, {2, {70, 0, 0}}}));
    EXPECT_EQ(tie.Lookup({60, 0, 0}), 1);
}

TEST(GifDitherer, ErrorIsSpreadInBurkesWeightsAlongASerpentinePath) {
    // Entries black and 100 grey: a 120 grey pixel becomes entry 1 with an error of 20, which
    // spreads as 160 and 80 ahead in the row and 40, 80, 160, 80, 40 around the column below.
    TFastColorLookup lookup(PaletteWith({{1, Grey(100)}}));
    TBurkesDitherer ditherer(6, lookup);
    EXPECT_EQ(ditherer.Direction(), 1);
    EXPECT_EQ(ditherer.Column(), 0);
    EXPECT_EQ(ditherer.Dither(Grey(120)), 1);
    EXPECT_EQ(ditherer.Column(), 1);
    EXPECT_EQ(ditherer.Error(0, false, 1), 160);
    EXPECT_EQ(ditherer.Error(1, false, 2), 80);
    const int below[] = {40, 80, 160, 80, 40};
    for (int column = -2; column <= 2; ++column)
        EXPECT_EQ(ditherer.Error(2, true, column), below[column + 2]) << column;

    // The second row runs right to left and starts with what the first row left for it.
    ditherer.NextLine();
    EXPECT_EQ(ditherer.Direction(), -1);
    EXPECT_EQ(ditherer.Column(), 5);
    EXPECT_EQ(ditherer.Error(0, false, 0), 160);
    EXPECT_EQ(ditherer.Error(0, false, 2), 40);
    EXPECT_EQ(ditherer.Error(0, false, 1), 80);
    EXPECT_EQ(ditherer.Error(0, true, 0), 0);  // the old row was cleared
    EXPECT_EQ(ditherer.Dither(Grey(120)), 1);
    EXPECT_EQ(ditherer.Column(), 4);
    EXPECT_EQ(ditherer.Error(0, false, 4), 160);  // ahead is to the left now
    EXPECT_EQ(ditherer.Error(0, false, 3), 80);
    EXPECT_EQ(ditherer.Error(0, false, 6), 0);
    for (int column = 3; column <= 7; ++column)
        EXPECT_EQ(ditherer.Error(0, true, column), below[column - 3]) << column;

    // The third row runs left to right again and carries the second row's error.
    ditherer.NextLine();
    EXPECT_EQ(ditherer.Direction(), 1);
    EXPECT_EQ(ditherer.Column(), 0);
    EXPECT_EQ(ditherer.Error(0, false, 5), 160);
    EXPECT_EQ(ditherer.Error(0, false, 7), 40);
    EXPECT_EQ(ditherer.Error(0, false, 0), 0);
}

TEST(GifDitherer, WantedValuesStayInRangeAndErrorsRoundTowardZero) {
    // White pixels with a 128 grey entry: each leaves +127, and the next pixel's wanted value
    // 255 + 32 is held at 255, so its error is 127 again and not 159.
    TFastColorLookup grey(PaletteWith({{1, Grey(128)}}));
    TBurkesDitherer high(4, grey);
    high.Dither(clWhite);
    high.Dither(clWhite);
    EXPECT_EQ(high.Error(0, false, 2), 4 * 127 + 8 * 127);
    // Black pixels with a 128 grey entry and no black: errors below 0 are held at 0 too.
    std::vector<TColor> noBlack(256, Grey(128));
    TFastColorLookup allGrey(noBlack);
    TBurkesDitherer low(4, allGrey);
    low.Dither(clBlack);
    low.Dither(clBlack);
    EXPECT_EQ(low.Error(0, false, 2), 4 * -128 + 8 * -128);

    // 100 grey against a 103 entry leaves -3, 8 x -3 = -24 ahead; (-24 + 16) / 32 truncates
    // to 0, so the next pixel wants 100 again (not 99) and leaves -3 again.
    TFastColorLookup near(PaletteWith({{1, Grey(103)}}));
    TBurkesDitherer rounding(4, near);
    rounding.Dither(Grey(100));
    rounding.Dither(Grey(100));
    EXPECT_EQ(rounding.Error(0, false, 2), 4 * -3 + 8 * -3);
}

TEST(GifColorReduction, TrueColourBitmapsBecomeEightBitWithTheirOwnPalette) {
    TBitmap source(8, 4, TPixelFormat::pf24bit);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x)
            source.SetPixelColor(x, y, x < 4 ? TColor{255, 0, 0} : TColor{0, 0, 255});
    TBitmap reduced = ReduceColors(source);
    ASSERT_EQ(reduced.PixelFormat(), TPixelFormat::pf8bit);
    ASSERT_EQ(reduced.Palette.size(), 256u);
    EXPECT_EQ(reduced.Width(), 8);
    EXPECT_EQ(reduced.Height(), 4);
    // Octree order: blue (key 001...) before red (100...).
    EXPECT_EQ(reduced.Palette[0], (TColor{0, 0, 255}));
    EXPECT_EQ(reduced.Palette[1], (TColor{255, 0, 0}));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x) EXPECT_EQ(reduced.RawPixel(x, y), x < 4 ? 1u : 0u);

    // Other formats are converted first: a 16-bit white stays white.
    TBitmap sixteen(2, 2, TPixelFormat::pf16bit);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x) sixteen.SetPixelColor(x, y, clWhite);
    TBitmap fromSixteen = ReduceColors(sixteen);
    EXPECT_EQ(fromSixteen.Palette[fromSixteen.RawPixel(1, 1)], clWhite);
}
