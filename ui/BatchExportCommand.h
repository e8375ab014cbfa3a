#pragma once

class TMain;

// Opens the batch export dialog over the viewer grid's cells and their selection, with the
// window's export settings and copy background colour; the settings the dialog stores when an
// export starts go back into the window's settings labels.
void ShowBatchExport(TMain& Main);
