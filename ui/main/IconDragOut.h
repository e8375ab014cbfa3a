#pragma once

#include <QMimeData>
#include <memory>
#include <string>
#include <vector>

#include "writers/ExportRun.h"

// What a drag of the selected cells out of the grid offers: each selected image written as a
// PNG file into Folder, named by Naming's style, separator and prefix (colliding names get the
// export's suffix), listed in text/uri-list in grid order, and the first selected image's own
// pixels with alpha as image/png. Background goes into the files' bKGD chunk. A file that
// cannot be written ends the drag with a TWriteError giving the first failure's reason.
std::unique_ptr<QMimeData> IconDragData(const std::vector<TExportEntry>& Entries,
                                        TExportNaming Naming, TColor Background,
                                        const std::string& Folder);
