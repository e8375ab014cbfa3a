#pragma once

#include <QString>
#include <array>

#include "writers/ExportNaming.h"

class QLabel;
class TMain;

// The batch-export preferences the main window keeps from one run to the next. The window
// holds them as the captions of hidden labels, which its settings store saves; this is their
// typed view, read from and written to those labels by TMain::ExportSettings and
// TMain::SetExportSettings. The values below are those of the first start.
struct TExportSettings {
    TExportFormat Format = TExportFormat::Png;
    TExportStyle Style = TExportStyle::FileResourceSizeDepth;
    char Separator = '_';  // one of kExportSeparators
    QString Prefix;        // as typed
    QString Folder;        // as typed
    bool MultiFormat = false;
    bool SkipExisting = false;

    // How files are named and where they go under these settings.
    TExportNaming Naming() const;

    bool operator==(const TExportSettings&) const = default;
};

// The position of a separator in kExportSeparators, 0 for a character not in it.
int SeparatorIndex(char Separator);

// One stored preference: the main window's label that holds it, that label's caption at first
// start, and how the caption reads into and is written from the typed settings.
struct TExportKey {
    const char* Name;  // the label's object name
    QLabel* TMain::*Holder;
    QString Default;
    void (*Read)(const QString& Caption, TExportSettings& Settings);
    QString (*Write)(const TExportSettings& Settings);

    // The label's caption is stored under its name and "_Caption".
    QString StoredName() const;
};

// The seven preferences in the order the settings store saves and restores them.
std::array<TExportKey, 7> ExportKeys();
