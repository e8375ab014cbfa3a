#pragma once

#include <string>

#include "icons/LoadedIcon.h"
#include "writers/ExportRun.h"

// "3 files written, 1 skipped, 0 failed" ("1 file written" for one file).
std::string ExportCountsText(int Written, int Skipped, int Failed);

// An image as a report names it: its resource name ("-" for none), size and bit count, for
// example "#10 32x32 32 bpp".
std::string ExportImageText(const TLoadedIconImage& Image);

// What a finished (or cancelled) run tells the user: the counts with a full stop, then each
// failed file with its reason and each damaged image left out with its reason; lines joined by
// CR LF.
std::string ExportSummaryText(const TExportResult& Result);
