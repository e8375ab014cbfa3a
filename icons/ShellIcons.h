#pragma once

#include <memory>
#include <string>

#include "icons/LoadedIcon.h"

// Asks the operating system's shell for the icons of a file: nothing when it finds none.
// Each platform supplies its own ShellIcons_<platform>.cpp.
std::unique_ptr<TLoadedIcon> ReadShellIcons(const std::string& FileName);
