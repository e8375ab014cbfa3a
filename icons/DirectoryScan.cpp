#include "icons/DirectoryScan.h"

TDirectoryScan::TDirectoryScan(const std::string& startFolder)
    : start_(WithTrailingSeparator(startFolder)) {}

TDirectoryScan::TDirectoryScan(const std::string& startFolder, std::string mask)
    : start_(WithTrailingSeparator(startFolder)), mask_(std::move(mask)) {}

std::optional<TScannedFolder> TDirectoryScan::Next() {
    if (cancelled_) return std::nullopt;
    if (!started_) {
        started_ = true;
        return Visit(start_, true);
    }
    while (!path_.empty()) {
        TPending& pending = path_.back();
        if (pending.Next == pending.Subfolders.size()) {
            path_.pop_back();
            continue;
        }
        const TSubfolder& subfolder = pending.Subfolders[pending.Next++];
        return Visit(pending.Prefix + subfolder.Name, !subfolder.IsLink);
    }
    return std::nullopt;
}

bool TDirectoryScan::Run(const std::function<void(const TScannedFolder&)>& visit) {
    while (std::optional<TScannedFolder> folder = Next()) visit(*folder);
    return !cancelled_;
}

// Lists the folder once for its files and, when it is entered, its subfolders; a link to a
// folder that gives no files is not read at all.
TScannedFolder TDirectoryScan::Visit(std::string path, bool enter) {
    ++count_;
    if (!enter && !mask_) return {std::move(path), {}, {}};
    TFolderEntries entries = ReadFolderEntries(path, {mask_, enter});
    if (!entries.Subfolders.empty())
        path_.push_back({WithTrailingSeparator(path), std::move(entries.Subfolders)});
    return {std::move(path), std::move(entries.Files), std::move(entries.Error)};
}

std::vector<std::string> ListFolderTree(const std::string& startFolder) {
    std::vector<std::string> folders;
    TDirectoryScan(startFolder).Run([&](const TScannedFolder& folder) {
        folders.push_back(folder.Path);
    });
    return folders;
}
