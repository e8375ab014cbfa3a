#include "cli/ExportCommand.h"

#include <tbb/parallel_for.h>
#include <CLI/CLI.hpp>

#include <algorithm>
#include <exception>
#include <filesystem>
#include <memory>
#include <optional>
#include <unordered_set>

#include "cli/ExportHicolor.h"
#include "cli/ExportManifest.h"
#include "cli/ExportOptions.h"
#include "cli/FileCollection.h"
#include "cli/GroupOptions.h"
#include "duplicates/DuplicateSet.h"
#include "hashes/Digest.h"
#include "icons/FileContent.h"
#include "writers/ExportSummary.h"

namespace {

// One file to write: what goes into it, where, and how the write went.
struct TPlannedFile {
    std::vector<TLoadedIconImage*> Images;   // one image, or an icon's images in multi-format
    std::optional<std::string> Path;         // nothing when skipped or left out
    bool Duplicate = false;                  // left out as the same as a file planned earlier
    std::string Failure;                     // the writer's reason, empty when written
    std::vector<TLoadedIconImage*> Damaged;  // images left out as damaged, each one skipped
    std::string Md5;                         // of the file written, for the manifest
};

// Decides, one source file after the other in path order, what each image becomes; the names,
// collision suffixes and duplicates therefore never depend on how the writes are spread over
// threads.
class TExportPlanner {
public:
    explicit TExportPlanner(const TExportCommandOptions& options)
        : options_(options), names_(options.Export.Naming, options.Export.MultiFormat) {}

    std::vector<TPlannedFile> Plan(const TLoadedIcon& icon) {
        TLoadedImages read;
        std::vector<std::pair<TLoadedIconImage*, int>> chosen;  // with its position number
        for (const auto& image : icon.Images) {
            read.push_back(image.get());
            if (Shown(*image)) chosen.push_back({image.get(), ++number_});
        }
        names_.Count(read, [this](const TLoadedIconImage& image) { return Shown(image); });
        std::vector<TPlannedFile> files;
        bool multi = options_.Export.MultiFormat;
        std::vector<TIconGroup> groups = multi ? IconGroupsOf(icon) : std::vector<TIconGroup>{};
        for (std::size_t i = 0; i < chosen.size(); ++i) {
            TLoadedIconImage& namer = *chosen[i].first;
            if (multi && AlreadyPlanned(files, namer)) continue;
            TPlannedFile file;
            for (std::size_t j = i; j < chosen.size() && (j == i || multi); ++j) {
                if (IconKey(*chosen[j].first) == IconKey(namer))
                    file.Images.push_back(chosen[j].first);
            }
            if (options_.Unique && !FirstOf(file, groups)) {
                file.Duplicate = true;
                files.push_back(std::move(file));
                continue;
            }
            std::string stem =
                ExportStem(NamePartsOf(namer, chosen[i].second), options_.Export.Naming);
            file.Path =
                ChooseExportPath(stem, names_.Ordinal(namer), options_.Export.Naming, reserved_);
            if (file.Path) reserved_.insert(*file.Path);
            files.push_back(std::move(file));
        }
        return files;
    }

private:
    bool Shown(const TLoadedIconImage& image) const {
        return ImagePassesFilter(options_.Filter, image);
    }

    // In multi-format mode an icon gets one file, named by its first image.
    static bool AlreadyPlanned(const std::vector<TPlannedFile>& files,
                               const TLoadedIconImage& image) {
        for (const TPlannedFile& file : files) {
            if (IconKey(*file.Images.front()) == IconKey(image)) return true;
        }
        return false;
    }

    // A multi-format file holds an icon group, told from earlier ones by the group's MD5.
    bool FirstOf(const TPlannedFile& file, const std::vector<TIconGroup>& groups) {
        const TLoadedIconImage& first = *file.Images.front();
        if (!options_.Export.MultiFormat) return duplicates_.FirstOf(first);
        for (const TIconGroup& group : groups) {
            if (group.Record == first.Group.get()) return duplicates_.FirstOf(group);
        }
        return duplicates_.FirstOf(file.Images);
    }

    const TExportCommandOptions& options_;
    TEmptyFolderNames names_;
    int number_ = 0;
    std::unordered_set<std::string> reserved_;
    TDuplicateSet duplicates_;
};

// Writes the planned files of one source file, on as many threads as the run has; with
// a manifest, each written file is read back for its MD5.
void WriteFiles(std::vector<TPlannedFile>& files, const TExportOptions& options, bool manifest) {
    TImageWriter writer = ImageWriterFor(options.Naming.Format);
    TGroupWriter writeGroup = GroupWriterFor(options.Naming.Format);
    tbb::parallel_for(std::size_t{0}, files.size(), [&](std::size_t i) {
        TPlannedFile& file = files[i];
        if (!file.Path) return;
        // A damaged image would come out blank: it is skipped and named instead.
        std::erase_if(file.Images, [&](TLoadedIconImage* image) {
            if (image->Damage().empty()) return false;
            file.Damaged.push_back(image);
            return true;
        });
        if (file.Images.empty()) return;
        try {
            if (options.MultiFormat) {
                writeGroup(*file.Path, file.Images, options.Background);
            } else {
                writer(*file.Images.front(), *file.Path, options.Background);
            }
            if (manifest && file.Failure.empty()) file.Md5 = Md5Hex(ReadFileContent(*file.Path));
        } catch (const std::exception& error) {
            file.Failure = error.what();
        }
    });
}

// The tally of the run and the lines it prints, in path order: each file as it is written (or,
// for the manifest, each file planned), each failure with its source and reason.
class TExportReport {
public:
    TExportReport(const TCliOutput& output, const TExportCommandOptions& options)
        : output_(output), options_(options) {}

    void SourceFailed(const TLoadOutcome& outcome) {
        output_.Out << std::flush;
        output_.Err << "marrowby2-cli: " << outcome.Path << ": " << outcome.Error << "\n";
        sourceFailed_ = true;
    }

    void Report(const std::string& source, const std::vector<TPlannedFile>& files) {
        for (const TPlannedFile& file : files) {
            for (const TLoadedIconImage* image : file.Damaged) {
                ++skipped_;
                output_.Out << std::flush;
                output_.Err << "marrowby2-cli: " << source << ": " << ExportImageText(*image)
                            << ": skipped, damaged: " << image->Damage() << "\n";
                if (options_.Jsonl)
                    PrintManifestLine(output_.Out, ManifestEntry(source, *image, {}));
            }
            if (file.Images.empty()) continue;
            if (file.Duplicate) {
                ++duplicates_;
            } else if (!file.Path) {
                ++skipped_;
            } else if (file.Failure.empty()) {
                ++written_;
                if (!options_.Jsonl) output_.Out << *file.Path << "\n";
            } else {
                ++failed_;
                output_.Out << std::flush;
                output_.Err << "marrowby2-cli: " << source << ": "
                            << ExportImageText(*file.Images.front()) << ": " << file.Failure
                            << "\n";
            }
            if (options_.Jsonl)
                PrintManifestLine(output_.Out,
                                  ManifestEntry(source, *file.Images.front(), Outcome(file)));
        }
    }

    // The summary goes to stdout, or to stderr when stdout holds the manifest.
    int Finish() const {
        std::ostream& out = options_.Jsonl ? output_.Err : output_.Out;
        out << ExportCountsText(written_, skipped_, failed_);
        if (options_.Unique) out << ", " << duplicates_ << " duplicates left out";
        out << "\n";
        return failed_ > 0 || sourceFailed_ ? kExitFailure : kExitOk;
    }

private:
    // What became of a planned file: the path and MD5 written, or why there is none.
    TManifestEntry Outcome(const TPlannedFile& file) const {
        TManifestEntry entry;
        if (file.Duplicate) {
            entry.Reason = options_.Export.MultiFormat ? "Duplicate of an earlier icon"
                                                       : "Duplicate of an earlier image";
        } else if (!file.Path) {
            entry.Reason = "File exists";
        } else if (!file.Failure.empty()) {
            entry.Reason = file.Failure;
        } else {
            entry.Output = file.Path;
            entry.Md5 = file.Md5;
        }
        return entry;
    }

    // The manifest line of a file whose (first) image is Image; a damaged image says so.
    static TManifestEntry ManifestEntry(const std::string& source, const TLoadedIconImage& image,
                                        TManifestEntry outcome) {
        outcome.Source = source;
        outcome.ResourceName = image.ResourceName;
        outcome.ImageIndex = IndexOf(image);
        if (!image.Damage().empty() && !outcome.Output && outcome.Reason.empty())
            outcome.Reason = "Damaged: " + image.Damage();
        return outcome;
    }

    // The image's place among its source's images.
    static std::size_t IndexOf(const TLoadedIconImage& image) {
        const auto& images = image.Owner->Images;
        return static_cast<std::size_t>(
            std::find_if(images.begin(), images.end(),
                         [&](const auto& owned) { return owned.get() == &image; }) -
            images.begin());
    }

    const TCliOutput& output_;
    const TExportCommandOptions& options_;
    int written_ = 0;
    int skipped_ = 0;
    int failed_ = 0;
    int duplicates_ = 0;
    bool sourceFailed_ = false;
};

// The output folder with its missing parents; false when it cannot be made.
bool MakeOutputFolder(const std::string& folder) {
    std::error_code error;
    if (std::filesystem::is_directory(folder, error)) return true;
    std::filesystem::create_directories(folder, error);
    return std::filesystem::is_directory(folder, error);
}

// Files are read on worker threads and handed over in path order; each is named, written and
// reported before its icons are let go, so memory holds the files in flight only.
int RunExportCommand(const TExportCommandOptions& options, const TCliOutput& output) {
    if (!MakeOutputFolder(options.Export.Naming.Directory)) {
        output.Err << "marrowby2-cli: Unable to create the specified export directory. ("
                   << options.Export.Naming.Directory << ")\n";
        return kExitFailure;
    }
    TExportPlanner planner(options);
    TExportReport report(output, options);
    TGroupsFound groups(options.Files.Load.Groups);
    bool read = ReadCollection(options.Files, output, [&](TLoadOutcome&& outcome) {
        if (IsAccessFailure(outcome.Error)) report.SourceFailed(outcome);
        if (outcome.Icon) {
            groups.Saw(*outcome.Icon);
            std::vector<TPlannedFile> files = planner.Plan(*outcome.Icon);
            WriteFiles(files, options.Export, options.Jsonl);
            report.Report(outcome.Path, files);
        }
    });
    int code = report.Finish();
    output.Out << std::flush;
    return std::max({code, int{read ? kExitOk : kExitFailure}, groups.ReportMissing(output.Err)});
}

}  // namespace

TCliCommand AddExportCommand(CLI::App& app) {
    CLI::App* command = app.add_subcommand(
        "export",
        "Write the images of every PATH (read as by list) to files, one line per file "
        "written");
    auto line = std::make_shared<TExportCommandLine>(*command);
    return {command, [line](const TCliOutput& output) {
                const TExportCommandOptions options = line->Options();
                return options.Hicolor ? RunHicolorExport(options, output)
                                       : RunExportCommand(options, output);
            }};
}
