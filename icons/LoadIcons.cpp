#include "icons/LoadIcons.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "icons/IcoReader.h"
#include "icons/ShellIcons.h"

namespace {

constexpr std::string_view kIconExtensions = ".ico.cur";

// The name's extension from its last dot on, lower-cased; empty without a dot.
std::string LowerExtension(const std::string& fileName) {
    std::size_t slash = fileName.find_last_of("/\\");
    std::size_t dot = fileName.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    std::string ext = fileName.substr(dot);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext;
}

bool Matches(const std::string& ext, std::string_view list) {
    return !ext.empty() && list.find(ext) != std::string_view::npos;
}

template <typename Reader>
std::unique_ptr<TLoadedIcon> Guarded(Reader reader, const std::string& fileName) {
    try {
        return reader(fileName);
    } catch (...) {  // any reading failure means "no icons"
        return nullptr;
    }
}

}  // namespace

std::unique_ptr<TLoadedIcon> LoadIconsFromFile(const std::string& FileName) {
    std::string ext = LowerExtension(FileName);
    std::unique_ptr<TLoadedIcon> icon;
    if (Matches(ext, kIconExtensions)) {
        icon = Guarded(ReadIcoFile, FileName);
        if (!icon) icon = Guarded(ReadShellIcons, FileName);
    }
    if (icon) icon->ImageCount = static_cast<std::int32_t>(icon->Images.size());
    return icon;
}
