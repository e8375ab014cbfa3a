#include "cli/FileCollection.h"

#include <CLI/CLI.hpp>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "icons/DirectoryScan.h"

void AddFileCollectionOptions(CLI::App& command, TFileCollection& collection) {
    command.add_flag("-r,--recursive", collection.Recursive,
                     "Take the files of every folder below a folder too");
    command
        .add_option("--mask", collection.Mask,
                    "\"*.*\" or the extensions to take from folders, such as \"*.ico;*.dll\"")
        ->capture_default_str();
    command
        .add_option("-j,--jobs", collection.Jobs,
                    "Read and write N files at once (0: one per core)")
        ->capture_default_str();
    AddCursorsFlag(command, collection.Load);
    command.add_option("PATH", collection.Paths, "Files and folders to read")->required();
}

void AddCursorsFlag(CLI::App& command, TLoadOptions& load) {
    command.add_flag("--cursors", load.IncludeCursors,
                     "Read the cursors of executables and libraries too, after their icons");
}

std::vector<std::string> CollectFiles(const std::string& path, const TFileCollection& collection) {
    std::error_code error;
    if (!std::filesystem::is_directory(path, error)) return {path};
    if (!collection.Recursive) return BuildPathList({path}, collection.Mask);
    std::vector<std::string> files;
    TDirectoryScan(path, collection.Mask).Run([&](const TScannedFolder& folder) {
        files.insert(files.end(), folder.Files.begin(), folder.Files.end());
    });
    return files;
}

std::vector<std::string> CollectAllFiles(const TFileCollection& collection) {
    std::vector<std::string> files;
    for (const std::string& path : collection.Paths) {
        std::vector<std::string> found = CollectFiles(path, collection);
        files.insert(files.end(), found.begin(), found.end());
    }
    return files;
}

bool IsAccessFailure(const std::string& error) {
    for (int code : {ENOENT, EACCES, ENOTDIR, ELOOP, ENAMETOOLONG}) {
        if (error == std::generic_category().message(code)) return true;
    }
    return false;
}
