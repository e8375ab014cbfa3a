#pragma once

#include <QString>

#include "icons/LoadedIcon.h"

// What a grid cell shows, as its tool-tip: "#101 — 48 x 48, 32 bpp — shell32.dll", without the
// resource name when it has none, and with the reason when the image is damaged.
QString CellToolTip(const TLoadedIconImage& image);
