#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "icons/NameMask.h"

// The file mask of the first entry of the file-type list: every kind of file that holds icons.
constexpr std::string_view kIconFileMask =
    "*.ico;*.dll;*.ocx;*.icl;*.exe;*.cpl;*.bpl;*.scr;*.vbx;*.drv;*.mun;*.cur;*.ani;*.msi;*.lnk;*."
    "url";

// The files of a scan: for each folder in turn, its files that match the mask in name order
// (NameLess), as folder (with a trailing separator) + name. Folders are never taken; hidden
// files are. Only regular files (or links to them) are taken, since named pipes and devices
// cannot be read. The folders keep their given order, duplicates stay, and a folder that
// cannot be listed contributes nothing.
std::vector<std::string> BuildPathList(const std::vector<std::string>& folders,
                                       std::string_view mask);
