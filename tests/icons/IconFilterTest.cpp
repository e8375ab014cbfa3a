#include <gtest/gtest.h>

#include "icons/IconFilter.h"

namespace {

// Images are never copied nor moved; the filter only reads the header fields.
const TLoadedIconImage& Image(int width, int height, int bitCount) {
    static std::vector<std::unique_ptr<TLoadedIconImage>> made;
    auto& image = made.emplace_back(std::make_unique<TLoadedIconImage>());
    image->Width = static_cast<std::uint8_t>(width);
    image->Height = static_cast<std::uint8_t>(height);
    image->BitCount = static_cast<std::uint16_t>(bitCount);
    return *image;
}

// Only the given size and depth flags set, ShowAllIcons clear.
TIconFilter Only(bool TIconFilter::*size, bool TIconFilter::*depth) {
    TIconFilter filter;
    for (bool TIconFilter::*flag :
         {&TIconFilter::ShowAllIcons, &TIconFilter::Show16x16, &TIconFilter::Show32x32,
          &TIconFilter::Show48x48, &TIconFilter::ShowOtherSizes, &TIconFilter::ShowMonochrome,
          &TIconFilter::Show16Color, &TIconFilter::Show256Color, &TIconFilter::Show24BitColor,
          &TIconFilter::Show32BitColor}) {
        filter.*flag = false;
    }
    filter.*size = true;
    filter.*depth = true;
    return filter;
}

}  // namespace

TEST(IconFilter, AllFlagsAreSetAtFirstAndShowAllPassesAnything) {
    const TIconFilter filter;
    EXPECT_TRUE(filter.ShowAllIcons && filter.Show16x16 && filter.Show32x32 && filter.Show48x48 &&
                filter.ShowOtherSizes && filter.ShowMonochrome && filter.Show16Color &&
                filter.Show256Color && filter.Show24BitColor && filter.Show32BitColor);
    TIconFilter nothingElse = Only(&TIconFilter::Show16x16, &TIconFilter::ShowMonochrome);
    nothingElse.ShowAllIcons = true;
    EXPECT_TRUE(ImagePassesFilter(nothingElse, Image(0, 0, 2)));
    EXPECT_TRUE(ImagePassesFilter(nothingElse, Image(48, 48, 16)));
}

TEST(IconFilter, SizesAreTheThreeSquaresAndEverythingElse) {
    const TIconFilter squares16 = Only(&TIconFilter::Show16x16, &TIconFilter::Show32BitColor);
    EXPECT_TRUE(ImagePassesFilter(squares16, Image(16, 16, 32)));
    EXPECT_FALSE(ImagePassesFilter(squares16, Image(16, 32, 32)));
    EXPECT_FALSE(ImagePassesFilter(squares16, Image(32, 32, 32)));

    const TIconFilter other = Only(&TIconFilter::ShowOtherSizes, &TIconFilter::Show32BitColor);
    EXPECT_TRUE(ImagePassesFilter(other, Image(16, 32, 32)));
    EXPECT_TRUE(ImagePassesFilter(other, Image(0, 0, 32)));  // 256 x 256
    EXPECT_TRUE(ImagePassesFilter(other, Image(0, 16, 32)));
    EXPECT_TRUE(ImagePassesFilter(other, Image(24, 24, 32)));
    EXPECT_FALSE(ImagePassesFilter(other, Image(16, 16, 32)));
    EXPECT_FALSE(ImagePassesFilter(other, Image(32, 32, 32)));
    EXPECT_FALSE(ImagePassesFilter(other, Image(48, 48, 32)));

    const TIconFilter squares48 = Only(&TIconFilter::Show48x48, &TIconFilter::Show32BitColor);
    EXPECT_TRUE(ImagePassesFilter(squares48, Image(48, 48, 32)));
    EXPECT_FALSE(ImagePassesFilter(squares48, Image(0, 0, 32)));
}

TEST(IconFilter, DepthsAreTheFiveBitCountsAndBothTestsMustPass) {
    const std::pair<bool TIconFilter::*, int> depths[] = {{&TIconFilter::ShowMonochrome, 1},
                                                          {&TIconFilter::Show16Color, 4},
                                                          {&TIconFilter::Show256Color, 8},
                                                          {&TIconFilter::Show24BitColor, 24},
                                                          {&TIconFilter::Show32BitColor, 32}};
    for (const auto& [flag, bits] : depths) {
        const TIconFilter filter = Only(&TIconFilter::Show32x32, flag);
        for (int other : {1, 2, 4, 8, 16, 24, 32}) {
            EXPECT_EQ(ImagePassesFilter(filter, Image(32, 32, other)), other == bits)
                << bits << " " << other;
        }
        // The depth passes but the size does not.
        EXPECT_FALSE(ImagePassesFilter(filter, Image(16, 16, bits)));
    }
    TIconFilter everyBox = Only(&TIconFilter::Show32x32, &TIconFilter::Show32BitColor);
    everyBox.Show16x16 = everyBox.Show48x48 = everyBox.ShowOtherSizes = true;
    everyBox.ShowMonochrome = everyBox.Show16Color = everyBox.Show256Color = true;
    everyBox.Show24BitColor = true;
    EXPECT_FALSE(ImagePassesFilter(everyBox, Image(32, 32, 2)));
    EXPECT_FALSE(ImagePassesFilter(everyBox, Image(32, 32, 16)));
    EXPECT_TRUE(ImagePassesFilter(everyBox, Image(32, 32, 4)));
}
