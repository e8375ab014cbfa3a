#include "cli/PathSource.h"

#include <filesystem>
#include <system_error>

TPathSource::TPathSource(const TFileCollection& collection) : collection_(collection) {
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
            folderFiles_ = std::move(folder->Files);
            continue;
        }
        walk_.reset();
        folderFiles_.clear();
        if (argument_ == collection_.Paths.size()) return false;
        const std::string& argument = collection_.Paths[argument_++];
        std::error_code error;
        if (!std::filesystem::is_directory(argument, error)) {
            path = argument;  // anything else is taken as a file
            return true;
        }
        if (collection_.Recursive) {
            walk_.emplace(argument, collection_.Mask);
        } else {
            folderFiles_ = BuildPathList({argument}, collection_.Mask);
        }
    }
    path = std::move(folderFiles_[folderFile_++]);
    return true;
}
