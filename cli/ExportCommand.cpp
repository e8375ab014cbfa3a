#include "cli/ExportCommand.h"

#include <tbb/parallel_for.h>
#include <CLI/CLI.hpp>

#include <exception>
#include <filesystem>
#include <memory>
#include <optional>
#include <unordered_set>

#include "cli/ExportOptions.h"
#include "cli/FileCollection.h"
#include "writers/IconWriter.h"

namespace {

// One file to write: what goes into it, where, and how the write went.
struct TPlannedFile {
    std::vector<TLoadedIconImage*> Images;   // one image, or an icon's images in multi-format
    std::optional<std::string> Path;         // nothing when skipped
    std::string Failure;                     // the writer's reason, empty when written
    std::vector<TLoadedIconImage*> Damaged;  // images left out as damaged, each one skipped
};

// Decides, one source file after the other in path order, what each image becomes; the names
// and collision suffixes therefore never depend on how the writes are spread over threads.
class TExportPlanner {
public:
    explicit TExportPlanner(const TExportCommandOptions& options) : options_(options) {}

    std::vector<TPlannedFile> Plan(const TLoadedIcon& icon) {
        std::vector<TPlannedFile> files;
        std::vector<std::pair<TLoadedIconImage*, int>> chosen;  // with its position number
        for (const auto& image : icon.Images) {
            if (ImagePassesFilter(options_.Filter, *image))
                chosen.push_back({image.get(), ++number_});
        }
        bool multi = options_.Export.MultiFormat;
        for (std::size_t i = 0; i < chosen.size(); ++i) {
            TPlannedFile file;
            for (std::size_t j = i; j < chosen.size() && (j == i || multi); ++j) {
                if (chosen[j].first->ResourceName == chosen[i].first->ResourceName)
                    file.Images.push_back(chosen[j].first);
            }
            if (multi && AlreadyPlanned(files, *chosen[i].first)) continue;
            std::string stem =
                ExportStem(NamePartsOf(*chosen[i].first, chosen[i].second), options_.Export.Naming);
            file.Path = ChooseExportPath(stem, options_.Export.Naming, reserved_);
            if (file.Path) reserved_.insert(*file.Path);
            files.push_back(std::move(file));
        }
        return files;
    }

private:
    // In multi-format mode an icon gets one file, named by its first image.
    static bool AlreadyPlanned(const std::vector<TPlannedFile>& files,
                               const TLoadedIconImage& image) {
        for (const TPlannedFile& file : files) {
            if (file.Images.front()->ResourceName == image.ResourceName) return true;
        }
        return false;
    }

    const TExportCommandOptions& options_;
    int number_ = 0;
    std::unordered_set<std::string> reserved_;
};

// The image a failure line names: its resource name, size and depth.
std::string ImageText(const TLoadedIconImage& image) {
    return (image.ResourceName.empty() ? "-" : image.ResourceName) + " " +
           std::to_string(image.PixelWidth()) + "x" + std::to_string(image.PixelHeight()) + " " +
           std::to_string(image.BitCount) + " bpp";
}

// Writes the planned files of one source file, on as many threads as the run has.
void WriteFiles(std::vector<TPlannedFile>& files, const TExportOptions& options) {
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
        } catch (const std::exception& error) {
            file.Failure = error.what();
        }
    });
}

// The tally of the run and the lines it prints, in path order: each file as it is written,
// each failure with its source and reason.
class TExportReport {
public:
    explicit TExportReport(const TCliOutput& output) : output_(output) {}

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
            }
            if (file.Images.empty()) continue;
            if (!file.Path) {
                ++skipped_;
            } else if (file.Failure.empty()) {
                ++written_;
                output_.Out << *file.Path << "\n";
            } else {
                ++failed_;
                output_.Out << std::flush;
                output_.Err << "marrowby2-cli: " << source << ": "
                            << ImageText(*file.Images.front()) << ": " << file.Failure << "\n";
            }
        }
    }

    int Finish() const {
        output_.Out << written_ << (written_ == 1 ? " file" : " files") << " written, " << skipped_
                    << " skipped, " << failed_ << " failed\n";
        return failed_ > 0 || sourceFailed_ ? kExitFailure : kExitOk;
    }

private:
    const TCliOutput& output_;
    int written_ = 0;
    int skipped_ = 0;
    int failed_ = 0;
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
    TExportReport report(output);
    bool read = ReadCollection(options.Files, output, [&](TLoadOutcome&& outcome) {
        if (IsAccessFailure(outcome.Error)) report.SourceFailed(outcome);
        if (outcome.Icon) {
            std::vector<TPlannedFile> files = planner.Plan(*outcome.Icon);
            WriteFiles(files, options.Export);
            report.Report(outcome.Path, files);
        }
    });
    int code = report.Finish();
    return read ? code : kExitFailure;
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
