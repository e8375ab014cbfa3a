#include "cli/PathSource.h"

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
        if (argument_ == collection_.Paths.size()) return false;
        folderFiles_ = CollectFiles(collection_.Paths[argument_++], collection_);
        folderFile_ = 0;
    }
    path = std::move(folderFiles_[folderFile_++]);
    return true;
}
