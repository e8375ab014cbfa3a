#pragma once

#include <functional>
#include <string>
#include <vector>

#include "graphics/Color.h"
#include "icons/LoadedIcon.h"
#include "writers/ExportNaming.h"
#include "writers/OutputFile.h"

// Writes one image to a target: SaveImageAsBmp, SaveImageAsIco, SaveImageAsGif, SaveImageAsPng
// or SaveImageAsIcns.
using TImageWriter =
    std::function<void(TLoadedIconImage& Image, const TOutputTarget& Target, TColor Background)>;

// The writer of a single-image export in that format.
TImageWriter ImageWriterFor(TExportFormat Format);

// Writes an icon's images into one file of a format that holds several: WriteIconFile or
// WriteIcnsFile.
using TGroupWriter = std::function<void(const TOutputTarget& Target,
                                         const std::vector<TLoadedIconImage*>& Images,
                                         TColor Background)>;

// Whether one file of the format holds several images (ICO and ICNS), so that a multi-format
// export writes one file per icon.
bool HoldsManyImages(TExportFormat Format);

// The group writer of a format that holds several images; the icon writer for any other.
TGroupWriter GroupWriterFor(TExportFormat Format);
