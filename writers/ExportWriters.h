#pragma once

#include <functional>
#include <string>

#include "graphics/Color.h"
#include "icons/LoadedIcon.h"
#include "writers/ExportNaming.h"

// Writes one image to a path: SaveImageAsBmp, SaveImageAsIco, SaveImageAsGif or SaveImageAsPng.
using TImageWriter =
    std::function<void(TLoadedIconImage& Image, const std::string& FileName, TColor Background)>;

// The writer of a single-image export in that format.
TImageWriter ImageWriterFor(TExportFormat Format);
