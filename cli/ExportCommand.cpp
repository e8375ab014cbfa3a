#include "cli/ExportCommand.h"

#include <CLI/CLI.hpp>

#include <exception>
#include <filesystem>
#include <memory>

#include "cli/ExportOptions.h"
#include "icons/LoadIcons.h"

namespace {

// Prints every file as soon as it is written, so the lines never claim a file that is not.
class TPrintedProgress : public TExportProgress {
public:
    explicit TPrintedProgress(std::ostream& out) : out_(out) {}

    void FileWritten(const std::string& path) override {
        ++written_;
        out_ << path << "\n";
    }
    void FileSkipped(const std::string&) override { ++skipped_; }

    void PrintSummary() const {
        out_ << written_ << (written_ == 1 ? " file" : " files") << " written, " << skipped_
             << " skipped\n";
    }

private:
    std::ostream& out_;
    int written_ = 0;
    int skipped_ = 0;
};

// The icons of every file read, kept while their images are exported.
struct TLoadedFiles {
    std::vector<std::unique_ptr<TLoadedIcon>> Icons;
    std::vector<TExportEntry> Entries;
};

TLoadedFiles LoadEntries(const TExportCommandOptions& options) {
    TLoadedFiles loaded;
    for (const std::string& path : options.Files.Paths) {
        for (const std::string& file : CollectFiles(path, options.Files)) {
            std::unique_ptr<TLoadedIcon> icon = LoadIconsFromFile(file);
            if (!icon) continue;
            for (const auto& image : icon->Images) {
                if (ImagePassesFilter(options.Filter, *image))
                    loaded.Entries.push_back({image.get(), true});
            }
            loaded.Icons.push_back(std::move(icon));
        }
    }
    return loaded;
}

// The output folder with its missing parents; false when it cannot be made.
bool MakeOutputFolder(const std::string& folder) {
    std::error_code error;
    if (std::filesystem::is_directory(folder, error)) return true;
    std::filesystem::create_directories(folder, error);
    return std::filesystem::is_directory(folder, error);
}

int RunExportCommand(const TExportCommandOptions& options, std::ostream& out, std::ostream& err) {
    if (!MakeOutputFolder(options.Export.Naming.Directory)) {
        err << "marrowby2-cli: Unable to create the specified export directory. ("
            << options.Export.Naming.Directory << ")\n";
        return kExitFailure;
    }
    TLoadedFiles loaded = LoadEntries(options);
    TPrintedProgress progress(out);
    try {
        RunExport(loaded.Entries, options.Export, progress);
    } catch (const std::exception& error) {
        progress.PrintSummary();
        err << "marrowby2-cli: " << error.what() << "\n";
        return kExitFailure;
    }
    progress.PrintSummary();
    return kExitOk;
}

}  // namespace

TCliCommand AddExportCommand(CLI::App& app) {
    CLI::App* command = app.add_subcommand(
        "export",
        "Write the images of every PATH (read as by list) to files, one line per file "
        "written");
    auto line = std::make_shared<TExportCommandLine>(*command);
    return {command, [line](const TCliOutput& output) {
                return RunExportCommand(line->Options(), output.Out, output.Err);
            }};
}
