#pragma once

#include <memory>
#include <string>

#include "icons/LoadOptions.h"
#include "icons/LoadedIcon.h"

// What reading one file gave: its icons, or why there are none.
// The reason a path gets when no reader takes it: an extension no reader knows, or a path that
// is no regular file.
inline constexpr char kNotAnIconSource[] = "Not an icon source";

struct TLoadOutcome {
    std::string Path;
    std::unique_ptr<TLoadedIcon> Icon;
    std::string Error;     // empty when Icon is set
    std::string Prepared;  // what TParallelLoadOptions::Prepare made of it, if anything
};

// Reads one file: picks the reader by the file's extension and returns every image format of
// the file, or the reason there is none: "No such file or directory", "Permission denied",
// "Not an icon source" (an extension no reader takes, a folder, a pipe or a device), or the
// reader's own message. Never throws.
TLoadOutcome LoadIconsWithReason(const std::string& FileName, const TLoadOptions& Options = {});

// The same without the reason: the icons, or nothing.
std::unique_ptr<TLoadedIcon> LoadIconsFromFile(const std::string& FileName,
                                               const TLoadOptions& Options = {});
