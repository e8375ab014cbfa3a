#pragma once

#include <vector>

#include "writers/ExportRun.h"

class TMain;
class TViewerGrid;

// Opens the batch export dialog over the viewer grid's cells and their selection (every shown
// cell when one or none is selected), with the window's export settings and copy background
// colour; the settings the dialog stores when an export starts go back into the window's
// settings labels.
void ShowBatchExport(TMain& Main);

// The grid's cells in grid order with their selection, and among them, where they were met,
// the images of Filtered (every image that passes the filter, in load order) the grid hides.
std::vector<TExportEntry> GridEntries(const TViewerGrid& Grid,
                                      const std::vector<TLoadedIconImage*>& Filtered);
