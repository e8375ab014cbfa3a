#include "cli/FileCollection.h"

#include <CLI/CLI.hpp>

#include <tbb/global_control.h>

#include <cerrno>
#include <mutex>
#include <optional>
#include <system_error>

#include "cli/PathSource.h"
#include "cli/PrintableText.h"
#include "cli/ProgressLine.h"
#include "icons/ParallelLoad.h"

void AddFileCollectionOptions(CLI::App& command, TFileCollection& collection) {
    command.add_flag("-r,--recursive", collection.Recursive,
                     "Take the files of every folder below a folder too");
    command
        .add_option("--mask", collection.Mask,
                    "Patterns the names of the files taken from folders match, separated by "
                    "\";\", in any case, such as \"*.ico;*.dll\" (\"*\": every file)")
        ->capture_default_str();
    command
        .add_option("-j,--jobs", collection.Jobs,
                    "Read and write N files at once, even more than the cores (0: one per core)")
        ->capture_default_str();
    AddCursorsFlag(command, collection.Load);
    command.add_option("--files-from", collection.FilesFrom,
                       "Read the files listed in FILE too, one path a line (\"-\": standard "
                       "input)");
    command.add_flag("-0,--null", collection.NullSeparated,
                     "The --files-from list's paths end with a NUL byte, not a line break");
    command.add_option("PATH", collection.Paths,
                       "Files and folders to read (needed unless --files-from is given)");
    command.parse_complete_callback([&collection] {
        if (collection.Paths.empty() && collection.FilesFrom.empty())
            throw CLI::RequiredError("PATH or --files-from");
    });
}

void AddCursorsFlag(CLI::App& command, TLoadOptions& load) {
    command.add_flag("--cursors", load.IncludeCursors,
                     "Read the cursors of executables and libraries too, after their icons");
}

namespace {

constexpr auto kMaxThreads = tbb::global_control::max_allowed_parallelism;

}  // namespace

bool ReadCollection(const TFileCollection& collection, const TCliOutput& output,
                    const std::function<void(TLoadOutcome&&)>& Consume,
                    const std::function<std::string(const TLoadOutcome&)>& Prepare,
                    const std::function<bool()>& Cancelled) {
    TProgressLine progress(output.Err, output.ErrIsTerminal);
    std::size_t done = 0;
    // Paths are pulled while an outcome may be consumed on another thread.
    std::mutex printing;
    auto folderFailed = [&](const std::string& folder, const std::string& reason) {
        std::lock_guard lock(printing);
        progress.Clear();
        output.Out << std::flush;
        output.Err << "marrowby2-cli: " << Printable(folder) << ": " << reason << "\n";
    };
    // oneTBB keeps to the machine's cores unless its limit is raised; files waited for on
    // network storage make more threads than cores worth their while.
    std::optional<tbb::global_control> threads;
    if (collection.Jobs > tbb::global_control::active_value(kMaxThreads))
        threads.emplace(kMaxThreads, collection.Jobs);
    try {
        TPathSource source(collection, folderFailed);
        TParallelLoadOptions options{collection.Jobs, Cancelled, collection.Load, true, Prepare};
        LoadInParallel([&](std::string& path) { return source.Next(path); }, options,
                       [&](TLoadOutcome&& outcome) {
                           std::lock_guard lock(printing);
                           progress.Clear();
                           std::string path = outcome.Path;
                           Consume(std::move(outcome));
                           progress.Show(++done, path);
                       });
        return source.FailedFolders() == 0;
    } catch (const TFileListError& error) {
        progress.Clear();
        output.Out << std::flush;
        output.Err << "marrowby2-cli: " << Printable(error.what()) << "\n";
        return false;
    }
}

bool IsAccessFailure(const std::string& error) {
    if (error == kNotARegularFile) return true;
    for (int code : {ENOENT, EACCES, ENOTDIR, ELOOP, ENAMETOOLONG, EISDIR}) {
        if (error == std::generic_category().message(code)) return true;
    }
    return false;
}
