#pragma once

#include <string>
#include <vector>

#include "writers/HicolorSizes.h"

// One file of an installed icon: the size it holds, where it goes, and why it could not be
// written (empty when it was).
struct THicolorFile {
    THicolorSize Size;
    std::string Path;
    std::string Failure;
};

// The user's own hicolor theme folder: $XDG_DATA_HOME/icons/hicolor, or
// ~/.local/share/icons/hicolor when XDG_DATA_HOME is not set to an absolute path.
std::string UserHicolorFolder();

// The file a size of the icon Name goes to: ThemeFolder/NxN/apps/Name.png.
std::string HicolorPath(const std::string& ThemeFolder, int Pixels, const std::string& Name);

// Writes Name.png for each of Sizes (see HicolorSizesOf) into the theme folder, making the
// size folders it needs: an image of the size as the PNG export writes it, a larger one
// scaled down by area averaging. Each file replaces the one of its name only once it is whole;
// a file that cannot be written carries its reason and the others are still written. Then
// marks the theme changed (see RefreshIconTheme).
std::vector<THicolorFile> InstallHicolorIcon(const std::vector<THicolorSize>& Sizes,
                                             const std::string& Name,
                                             const std::string& ThemeFolder);

// Sets the theme folder's time stamp to now, so icon caches see the change, and runs
// gtk-update-icon-cache on it when the theme has a cache (icon-theme.cache) and the program is
// installed. Failures leave the icons as they are and are not reported.
void RefreshIconTheme(const std::string& ThemeFolder);
