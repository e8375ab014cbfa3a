#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/CliCommand.h"
#include "cli/ExportManifest.h"
#include "cli/ExportOptions.h"
#include "icons/LoadIcons.h"
#include "writers/ExportClaim.h"

// One file to write: what goes into it, where, and how the write went.
struct TPlannedFile {
    std::vector<TLoadedIconImage*> Images;   // one image, or an icon's images in multi-format
    std::optional<TExportName> Name;         // nothing when skipped or left out
    bool Duplicate = false;                  // left out as the same as a file planned earlier
    std::optional<std::string> Path;         // the name the file took once written
    std::string Failure;                     // the writer's reason, empty when written
    std::vector<TLoadedIconImage*> Damaged;  // images left out as damaged, each one skipped
    std::string Md5;                         // of the file written, for the manifest
    bool Abandoned = false;                  // not written as the run was interrupted
};

// The tally of an export and the lines it prints, in path order: each file as it is written
// (or, for the manifest, each file planned), each failure with its source and reason, then the
// summary.
class TExportReport {
public:
    TExportReport(const TCliOutput& output, const TExportCommandOptions& options)
        : output_(output), options_(options) {}

    // A source whose content could not be read: named on stderr with the reason, given a
    // manifest line, counted, and failing the run.
    void SourceUnreadable(const std::string& source, const std::string& reason);
    // A source read whole that is no icon source (a library without icons).
    void SourceWithoutIcons() { ++withoutIcons_; }
    // The planned files of Source, once written.
    void Report(const std::string& source, const std::vector<TPlannedFile>& files);
    // Prints the summary on stdout, or on stderr when stdout holds the manifest, and returns
    // the exit code.
    int Finish(bool interrupted) const;

private:
    void Failed(const std::string& source, const std::string& what, const std::string& reason);
    TManifestEntry Outcome(const TPlannedFile& file) const;

    const TCliOutput& output_;
    const TExportCommandOptions& options_;
    int written_ = 0;
    int skipped_ = 0;
    int failed_ = 0;
    int duplicates_ = 0;
    int unreadable_ = 0;
    int withoutIcons_ = 0;
};
