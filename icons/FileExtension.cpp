#include "icons/FileExtension.h"

#include <algorithm>
#include <cctype>

std::string LowerExtension(std::string_view fileName) {
    std::size_t slash = fileName.find_last_of("/\\");
    std::size_t dot = fileName.find_last_of('.');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) {
        return {};
    }
    std::string ext(fileName.substr(dot));
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext;
}
