#pragma once

#include <vector>

#include "writers/ExportRun.h"

class TMain;
class TViewerGrid;

// Opens the batch export dialog over the viewer grid's cells and their selection, with the
// window's export settings and copy background colour; the settings the dialog stores when an
// export starts go back into the window's settings labels.
void ShowBatchExport(TMain& Main);

// The grid's cells in grid order with their selection.
std::vector<TExportEntry> GridEntries(const TViewerGrid& Grid);
