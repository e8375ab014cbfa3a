#pragma once

#include <memory>
#include <string>

#include "icons/LoadOptions.h"
#include "icons/LoadedIcon.h"

// What reading one file gave: its icons, or why there are none.
// The reason a path gets when no reader takes it: a file whose first bytes no reader knows
// (an empty file too), or a path that is no regular file.
inline constexpr char kNotAnIconSource[] = "Not an icon source";
// The reason a file gets when its structures claim more memory than the machine gives.
inline constexpr char kTooLargeToRead[] = "The file claims more memory than there is to read it";

struct TLoadOutcome {
    std::string Path;
    std::unique_ptr<TLoadedIcon> Icon;
    std::string Error;     // empty when Icon is set
    std::string Prepared;  // what TParallelLoadOptions::Prepare made of it, if anything
};

// Reads one file: opens it, picks the reader by its first bytes (an executable's "MZ", an
// animated cursor's RIFF "ACON" header, an icon or cursor directory header, or a PNG stream in
// a file named .ico or .cur) and returns every image format of the file, or the reason there
// is none: "No such file or directory", "Permission denied", "Not an icon source" (first
// bytes no reader takes, a folder, a pipe or a device), or the reader's own message. Never
// throws.
TLoadOutcome LoadIconsWithReason(const std::string& FileName, const TLoadOptions& Options = {});

// The same without the reason: the icons, or nothing.
std::unique_ptr<TLoadedIcon> LoadIconsFromFile(const std::string& FileName,
                                               const TLoadOptions& Options = {});
