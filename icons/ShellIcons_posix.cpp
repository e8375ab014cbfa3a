#include "icons/ShellIcons.h"

// There is no shell icon extraction outside Windows: the fallback never finds anything.
std::unique_ptr<TLoadedIcon> ReadShellIcons(const std::string&) {
    return nullptr;
}
