#include "cli/PathSource.h"

#include "icons/PathAt.h"

namespace {

bool IsFolder(const std::string& path) {
    struct stat info {};
    return StatPath(path, info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

TPathSource::TPathSource(const TFileCollection& collection, TFolderFailed folderFailed)
    : collection_(collection), folderFailed_(std::move(folderFailed)) {
    if (!collection.FilesFrom.empty())
        list_.emplace(collection.FilesFrom, collection.NullSeparated ? '\0' : '\n');
}

bool TPathSource::Next(std::string& path) {
    if (NextOfArguments(path)) return true;
    return list_ && list_->Next(path);
}

bool TPathSource::NextOfArguments(std::string& path) {
    while (folderFile_ == folderFiles_.size()) {
        folderFile_ = 0;
        if (std::optional<TScannedFolder> folder = walk_ ? walk_->Next() : std::nullopt) {
            Take(folder->Path, std::move(folder->Files), folder->Error);
            continue;
        }
        walk_.reset();
        folderFiles_.clear();
        if (argument_ == collection_.Paths.size()) return false;
        const std::string& argument = collection_.Paths[argument_++];
        if (!IsFolder(argument)) {
            path = argument;  // anything else is taken as a file
            return true;
        }
        if (collection_.Recursive) {
            walk_.emplace(argument, collection_.Mask);
        } else {
            TFolderEntries entries = ReadFolderEntries(argument, {collection_.Mask, false});
            Take(argument, std::move(entries.Files), entries.Error);
        }
    }
    path = std::move(folderFiles_[folderFile_++]);
    return true;
}

void TPathSource::Take(const std::string& folder, std::vector<std::string> files,
                       const std::string& error) {
    folderFiles_ = std::move(files);
    if (error.empty()) return;
    ++failedFolders_;
    if (folderFailed_) folderFailed_(folder, error);
}
