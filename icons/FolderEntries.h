#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A subfolder of a listed folder. A symbolic link to a folder is a subfolder too.
struct TSubfolder {
    std::string Name;
    bool IsLink = false;
};

// What one reading of a folder found, each list in name order (NameLess).
struct TFolderEntries {
    std::vector<std::string> Files;  // folder (with a trailing separator) + name
    std::vector<TSubfolder> Subfolders;
    // Why the folder could not be listed, or stopped being listable half-way; empty when the
    // whole folder was read.
    std::string Error;
};

// What a folder reading takes: the files that match a mask (none without one), the subfolders
// or not.
struct TFolderReading {
    std::optional<std::string_view> Mask;
    bool Subfolders = true;
};

// Lists `folder` once. Files are the regular files (or links to them) whose names match the
// mask (MatchesFileMask), hidden ones included: named pipes and devices cannot be read.
// Subfolders include hidden ones, never "." and "..". A folder that cannot be listed, or
// stops being listable half-way, gives what was read up to there (nothing at all when it could
// not be opened) and the system's reason. A path of any length is listed (OpenPath).
TFolderEntries ReadFolderEntries(const std::string& folder, const TFolderReading& reading);

// `folder` with a trailing path separator.
std::string WithTrailingSeparator(std::string folder);
