#pragma once

#include <vector>

#include "writers/ExportNaming.h"
#include "writers/ExportRun.h"

class TMain;
class TViewerGrid;

// Opens the batch export dialog over the viewer grid's cells and their selection, with the
// window's export settings and copy background colour; the settings the dialog stores when an
// export starts go back into the window's settings labels.
void ShowBatchExport(TMain& Main);

// The grid's cells in grid order with their selection.
std::vector<TExportEntry> GridEntries(const TViewerGrid& Grid);

// The naming style, separator and prefix of the stored batch-export settings; a stored index
// out of range counts as the first entry. Directory, format and skipping are left as they are.
TExportNaming StoredExportNaming(const TMain& Main);
