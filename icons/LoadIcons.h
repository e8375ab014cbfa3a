#pragma once

#include <memory>
#include <string>

#include "icons/LoadOptions.h"
#include "icons/LoadedIcon.h"

// The one entry point for loading icons: picks the reader by the file's extension and returns
// every image format of the file, or nothing. Never throws.
std::unique_ptr<TLoadedIcon> LoadIconsFromFile(const std::string& FileName,
                                               const TLoadOptions& Options = {});
