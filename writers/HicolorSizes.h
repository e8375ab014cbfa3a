#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "icons/LoadedIcon.h"

// The sizes Debian 12's hicolor icon theme lists for applications, from 16 to 256 pixels.
constexpr std::array<int, 12> kHicolorAppSizes{16, 22, 24, 32, 36, 48, 64, 72, 96, 128, 192, 256};

// One size of an installed icon and the image it is made from.
struct THicolorSize {
    int Pixels = 0;
    TLoadedIconImage* Source = nullptr;

    // Whether the source is larger and is scaled down to the size.
    bool Scaled() const { return Source->PixelWidth() != Pixels; }
};

// The theme sizes an icon group's images fill, smallest first: each size takes the deepest
// sound image of exactly that size (see DeepestOfSize), else the deepest of the smallest
// larger size, scaled down. Images that are not square are not used, and no size is larger than
// the largest image.
std::vector<THicolorSize> HicolorSizesOf(const std::vector<TLoadedIconImage*>& Group);

// The images of Image's icon group (its source file's images of the same icon key), in order.
std::vector<TLoadedIconImage*> GroupImagesOf(TLoadedIconImage& Image);

// Whether Name can name an installed icon: one or more ASCII letters, digits, ".", "-" and
// "_".
bool IsHicolorName(std::string_view Name);

// The icon name suggested for a source file: its name without folder and extension, lower
// case, each run of other characters as one "-", none at either end; "icon" when nothing is
// left. "/w/Notepad++ Setup.exe" gives "notepad-setup".
std::string SuggestedHicolorName(const std::string& FileName);
