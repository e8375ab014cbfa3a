#include "cli/FileCollection.h"

#include <CLI/CLI.hpp>

#include <filesystem>

#include "icons/DirectoryScan.h"

void AddFileCollectionOptions(CLI::App& command, TFileCollection& collection) {
    command.add_flag("-r,--recursive", collection.Recursive,
                     "Take the files of every folder below a folder too");
    command
        .add_option("--mask", collection.Mask,
                    "\"*.*\" or the extensions to take from folders, such as \"*.ico;*.dll\"")
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
    std::vector<std::string> folders{path};
    if (collection.Recursive) {
        TDirectoryScan scan(path);
        scan.Run();
        folders = scan.TakeFolders();
    }
    return BuildPathList(folders, collection.Mask);
}
