#pragma once

#include <functional>
#include <string>

#include "graphics/Color.h"
#include "icons/LoadedIcon.h"
#include "writers/ExportNaming.h"
#include "writers/OutputFile.h"

// Writes one image to a target: SaveImageAsBmp, SaveImageAsIco, SaveImageAsGif or SaveImageAsPng.
using TImageWriter =
    std::function<void(TLoadedIconImage& Image, const TOutputTarget& Target, TColor Background)>;

// The writer of a single-image export in that format.
TImageWriter ImageWriterFor(TExportFormat Format);
