#include "cli/FileCollection.h"

#include <filesystem>

#include "cli/CliMain.h"
#include "icons/DirectoryScan.h"

bool ParseFileCollectionOption(const std::vector<std::string>& args, std::size_t& i,
                               TFileCollection& collection) {
    const std::string& arg = args[i];
    if (arg == "-r" || arg == "--recursive") {
        collection.Recursive = true;
    } else if (arg == "--mask") {
        if (++i == args.size()) throw TUsageError("--mask needs a value");
        collection.Mask = args[i];
    } else {
        return false;
    }
    return true;
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
