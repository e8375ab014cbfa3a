#pragma once

#include <string>
#include <vector>

#include "graphics/Color.h"
#include "icons/LoadedIcon.h"
#include "writers/ExportNaming.h"
#include "writers/ExportWriters.h"

// One cell of the viewer grid as the export sees it; Image is never null. A hidden cell is not
// in the grid (it repeats an earlier cell's image) yet still one of its icon's formats: it is
// never selected, takes no grid position, and goes into its icon's multi-format file.
struct TExportEntry {
    TLoadedIconImage* Image = nullptr;
    bool Selected = false;
    bool Hidden = false;
};

struct TExportOptions {
    TExportNaming Naming;
    // With a format that holds several images (ICO, ICNS): one file per icon instead of one file
    // per image.
    bool MultiFormat = false;
    // The colour BMP, GIF and PNG output is drawn over.
    TColor Background = clWhite;
};

enum class TExportPhase {
    Searching,  // multi-format mode: collecting the icons of the selected images
    Writing,
};

// What a run reports while it goes. Every hook does nothing unless overridden.
class TExportProgress {
public:
    virtual ~TExportProgress() = default;
    // A phase starts with the progress position 0 of Maximum.
    virtual void PhaseStarted(TExportPhase, int /*Maximum*/) {}
    // The source file (name with extension, no folder) of the image or icon being exported.
    virtual void SourceFileChanged(const std::string& /*FileName*/) {}
    virtual void PositionChanged(int /*Position*/) {}
    virtual void FileWritten(const std::string& /*Path*/) {}
    virtual void FileSkipped(const std::string& /*Path*/) {}
    // Asked after every file (and every entry while searching); the place to let pending input
    // run. True ends the run there.
    virtual bool CancelRequested() { return false; }
};

// A file that could not be written, and why.
struct TExportFailure {
    std::string Path;
    std::string Reason;
};

// A damaged image left out of the export, and why.
struct TDamagedImage {
    const TLoadedIconImage* Image = nullptr;
    std::string Reason;
};

struct TExportResult {
    int Written = 0;
    // Files not written because they exist, and damaged images left out.
    int Skipped = 0;
    std::vector<TExportFailure> Failed;
    // The damaged images among the skipped.
    std::vector<TDamagedImage> Damaged;
    bool Cancelled = false;
};

// Exports the selected entries, in grid order: one file per selected image written by Writer,
// or, for the ICO and ICNS formats with MultiFormat, one file per icon (source file and resource
// name) holding all of that icon's images among the entries, selected or not. Loaded holds
// every loaded image in grid order, those the filter hides too; skipping existing files names
// each file as in an empty folder by counting them (TEmptyFolderNames). Without skipping,
// existing files are given a collision suffix, never overwritten: each name is claimed when its
// file is written (TExportClaim), so a name another program takes meanwhile gives the next free
// one, or with skipping counts the file as existing. Numeric names number an icon
// by the grid position of its first selected image. A damaged image is left out, counted as
// skipped with its reason; a file that cannot be written is counted as failed with its reason,
// and the run goes on.
TExportResult RunExport(const std::vector<TExportEntry>& Entries, const TLoadedImages& Loaded,
                        const TExportOptions& Options, TExportProgress& Progress,
                        const TImageWriter& Writer);

// The same with the writer of the chosen format.
TExportResult RunExport(const std::vector<TExportEntry>& Entries, const TLoadedImages& Loaded,
                        const TExportOptions& Options, TExportProgress& Progress);
