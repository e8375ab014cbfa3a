#include "cli/ExportCommand.h"

#include <tbb/parallel_for.h>
#include <CLI/CLI.hpp>

#include <algorithm>
#include <exception>
#include <filesystem>
#include <memory>
#include <optional>

#include "cli/ExportHicolor.h"
#include "cli/ExportOptions.h"
#include "cli/ExportReport.h"
#include "cli/FileCollection.h"
#include "cli/GroupOptions.h"
#include "cli/Interruption.h"
#include "cli/PrintableText.h"
#include "duplicates/DuplicateSet.h"
#include "hashes/Digest.h"
#include "icons/FileContent.h"

namespace {

// Decides, one source file after the other in path order, what each image becomes; the names,
// collision suffixes and duplicates therefore never depend on how the writes are spread over
// threads.
class TExportPlanner {
public:
    TExportPlanner(const TExportCommandOptions& options, TExportNames& given)
        : options_(options),
          names_(options.Export.Naming, options.Export.MultiFormat),
          given_(given) {}

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
            file.Name = given_.Choose(stem, names_.Ordinal(namer));
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
    TExportNames& given_;
    int number_ = 0;
    TDuplicateSet duplicates_;
};

// Writes the planned files of one source file, on as many threads as the run has, each under
// the name it claims; with a manifest, each written file is read back for its MD5. Once the run
// is interrupted, the files not yet started are abandoned.
void WriteFiles(std::vector<TPlannedFile>& files, const TExportOptions& options, bool manifest,
                TExportNames& names, const TInterruption& interruption) {
    TImageWriter writer = ImageWriterFor(options.Naming.Format);
    TGroupWriter writeGroup = GroupWriterFor(options.Naming.Format);
    tbb::parallel_for(std::size_t{0}, files.size(), [&](std::size_t i) {
        TPlannedFile& file = files[i];
        if (!file.Name) return;
        file.Abandoned = interruption.Requested();
        if (file.Abandoned) return;
        // A damaged image would come out blank: it is skipped and named instead.
        std::erase_if(file.Images, [&](TLoadedIconImage* image) {
            if (image->Damage().empty()) return false;
            file.Damaged.push_back(image);
            return true;
        });
        if (file.Images.empty()) return;
        TExportClaim claim(names, *file.Name);
        try {
            if (options.MultiFormat) {
                writeGroup(TOutputTarget(claim), file.Images, options.Background);
            } else {
                writer(*file.Images.front(), TOutputTarget(claim), options.Background);
            }
            file.Path = claim.Given();
            if (manifest && file.Path) file.Md5 = Md5Hex(ReadFileContent(*file.Path));
        } catch (const std::exception& error) {
            file.Failure = error.what();
        }
    });
}

// The output folder with its missing parents; false when it cannot be made.
bool MakeOutputFolder(const std::string& folder) {
    std::error_code error;
    if (std::filesystem::is_directory(folder, error)) return true;
    std::filesystem::create_directories(folder, error);
    return std::filesystem::is_directory(folder, error);
}

// Files are read on worker threads and handed over in path order; each is named, written and
// reported before its icons are let go, so memory holds the files in flight only. SIGINT,
// SIGTERM or SIGHUP stop the run after the files in flight; the summary says "interrupted" and
// the process then ends by that signal.
int RunExportCommand(const TExportCommandOptions& options, const TCliOutput& output) {
    if (!MakeOutputFolder(options.Export.Naming.Directory)) {
        output.Err << "marrowby2-cli: Unable to create the specified export directory. ("
                   << Printable(options.Export.Naming.Directory) << ")\n";
        return kExitFailure;
    }
    TInterruption interruption;
    TExportNames names(options.Export.Naming);
    TExportPlanner planner(options, names);
    TExportReport report(output, options);
    TGroupsFound groups(options.Files.Load.Groups);
    auto consume = [&](TLoadOutcome&& outcome) {
        if (interruption.Requested()) return;
        if (!outcome.Icon) {
            // A file read whole that holds no icon is no failure; one that could not be is.
            if (outcome.Error == kNotAnIconSource) {
                report.SourceWithoutIcons();
            } else {
                report.SourceUnreadable(outcome.Path, outcome.Error);
            }
            return;
        }
        groups.Saw(*outcome.Icon);
        std::vector<TPlannedFile> planned = planner.Plan(*outcome.Icon);
        WriteFiles(planned, options.Export, options.Jsonl, names, interruption);
        report.Report(outcome.Path, planned);
    };
    bool read = ReadCollection(options.Files, output, consume, {},
                               [&] { return interruption.Requested(); });
    int code = report.Finish(interruption.Requested());
    output.Out << std::flush;
    interruption.Reraise();
    return std::max({code, int{read ? kExitOk : kExitFailure}, groups.ReportMissing(output.Err)});
}

}  // namespace

TCliCommand AddExportCommand(CLI::App& app) {
    CLI::App* command = app.add_subcommand(
        "export",
        "Write the images of every PATH (read as by list) to files, each under a name no file "
        "holds, one line per file written");
    auto line = std::make_shared<TExportCommandLine>(*command);
    return {command, [line](const TCliOutput& output) {
                const TExportCommandOptions options = line->Options();
                return options.Hicolor ? RunHicolorExport(options, output)
                                       : RunExportCommand(options, output);
            }};
}
