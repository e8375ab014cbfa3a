#include "cli/ExportCommand.h"

#include <tbb/parallel_for.h>
#include <CLI/CLI.hpp>

#include <algorithm>
#include <exception>
#include <filesystem>
#include <memory>
#include <optional>
#include <unordered_set>

#include "cli/ExportManifest.h"
#include "cli/ExportOptions.h"
#include "cli/GroupOptions.h"
#include "cli/ProgressLine.h"
#include "duplicates/DuplicateSet.h"
#include "hashes/Digest.h"
#include "icons/FileContent.h"
#include "icons/ParallelLoad.h"
#include "writers/IconWriter.h"

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
    explicit TExportPlanner(const TExportCommandOptions& options) : options_(options) {}

    std::vector<TPlannedFile> Plan(const TLoadedIcon& icon) {
        std::vector<TPlannedFile> files = FilesOf(icon);
        for (TPlannedFile& file : files) {
            if (options_.Unique && !FirstOf(file)) {
                file.Duplicate = true;
                continue;
            }
            // A file is numbered by the position of its first image among those exported.
            int number = number_ + 1;
            number_ += static_cast<int>(file.Images.size());
            std::string stem =
                ExportStem(NamePartsOf(*file.Images.front(), number), options_.Export.Naming);
            file.Path = ChooseExportPath(stem, options_.Export.Naming, reserved_);
            if (file.Path) reserved_.insert(*file.Path);
        }
        return files;
    }

private:
    // The files of an icon's images that pass the filter, in order: one per image, or in
    // multi-format mode one per group, named by its first image.
    std::vector<TPlannedFile> FilesOf(const TLoadedIcon& icon) const {
        std::vector<TPlannedFile> files;
        for (const auto& owned : icon.Images) {
            TLoadedIconImage* image = owned.get();
            if (!ImagePassesFilter(options_.Filter, *image)) continue;
            auto group = files.end();
            if (options_.Export.MultiFormat) {
                group = std::find_if(files.begin(), files.end(), [&](const TPlannedFile& file) {
                    return file.Images.front()->ResourceName == image->ResourceName;
                });
            }
            if (group != files.end()) {
                group->Images.push_back(image);
            } else {
                TPlannedFile file;
                file.Images.push_back(image);
                files.push_back(std::move(file));
            }
        }
        return files;
    }

    bool FirstOf(const TPlannedFile& file) {
        return options_.Export.MultiFormat ? duplicates_.FirstOf(file.Images)
                                           : duplicates_.FirstOf(*file.Images.front());
    }

    const TExportCommandOptions& options_;
    int number_ = 0;
    std::unordered_set<std::string> reserved_;
    TDuplicateSet duplicates_;
};

// The image a failure line names: its resource name, size and depth.
std::string ImageText(const TLoadedIconImage& image) {
    return (image.ResourceName.empty() ? "-" : image.ResourceName) + " " +
           std::to_string(image.PixelWidth()) + "x" + std::to_string(image.PixelHeight()) + " " +
           std::to_string(image.BitCount) + " bpp";
}

// Writes the planned files of one source file, on as many threads as the run has; with
// a manifest, each written file is read back for its MD5.
void WriteFiles(std::vector<TPlannedFile>& files, const TExportOptions& options, bool manifest) {
    TImageWriter writer = ImageWriterFor(options.Naming.Format);
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
                WriteIconFile(*file.Path, file.Images);
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
                output_.Err << "marrowby2-cli: " << source << ": " << ImageText(*image)
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
                            << ImageText(*file.Images.front()) << ": " << file.Failure << "\n";
            }
            if (options_.Jsonl)
                PrintManifestLine(output_.Out,
                                  ManifestEntry(source, *file.Images.front(), Outcome(file)));
        }
    }

    // The summary goes to stdout, or to stderr when stdout holds the manifest.
    int Finish() const {
        std::ostream& out = options_.Jsonl ? output_.Err : output_.Out;
        out << written_ << (written_ == 1 ? " file" : " files") << " written, " << skipped_
            << " skipped, " << failed_ << " failed";
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
    std::vector<std::string> sources = CollectAllFiles(options.Files);
    TProgressLine progress(output.Err, output.ErrIsTerminal, sources.size());
    TExportPlanner planner(options);
    TExportReport report(output, options);
    TGroupsFound groups(options.Files.Load.Groups);
    std::size_t done = 0;
    LoadInParallel(sources, {options.Files.Jobs, {}, options.Files.Load},
                   [&](TLoadOutcome&& outcome) {
                       progress.Clear();
                       if (IsAccessFailure(outcome.Error)) report.SourceFailed(outcome);
                       if (outcome.Icon) {
                           groups.Saw(*outcome.Icon);
                           std::vector<TPlannedFile> files = planner.Plan(*outcome.Icon);
                           WriteFiles(files, options.Export, options.Jsonl);
                           report.Report(outcome.Path, files);
                       }
                       progress.Show(++done, outcome.Path);
                   });
    progress.Clear();
    int code = report.Finish();
    output.Out << std::flush;
    return std::max(code, groups.ReportMissing(output.Err));
}

}  // namespace

TCliCommand AddExportCommand(CLI::App& app) {
    CLI::App* command = app.add_subcommand(
        "export",
        "Write the images of every PATH (read as by list) to files, one line per file "
        "written");
    auto line = std::make_shared<TExportCommandLine>(*command);
    return {command,
            [line](const TCliOutput& output) { return RunExportCommand(line->Options(), output); }};
}
