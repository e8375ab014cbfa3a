#pragma once

#include <string>
#include <string_view>
#include <vector>

// The file mask of the first entry of the file-type list: every kind of file that holds icons.
constexpr std::string_view kIconFileMask =
    "*.ico;*.dll;*.ocx;*.icl;*.exe;*.cpl;*.bpl;*.scr;*.vbx;*.drv;*.mun;*.cur;*.ani;*.msi;*.lnk;*.url";

// Whether a scan takes the file `name` under `mask`: wildcard patterns ("*", "?", "[...]")
// separated by ";", spaces around them ignored, compared without regard to case; a name is
// taken when it matches one of them whole. "*.*" and "*" (and a mask of no pattern) take
// every file, also one without an extension; "*.ico" takes "a.ICO" but not "a.ic".
bool MatchesFileMask(std::string_view name, std::string_view mask);

// The files of a scan: for each folder in turn, its files that match the mask in name order
// (NameLess), as folder (with a trailing separator) + name. Folders are never taken; hidden
// files are. Only regular files (or links to them) are taken, since named pipes and devices
// cannot be read. The folders keep their given order, duplicates stay, and a folder that
// cannot be listed contributes nothing.
std::vector<std::string> BuildPathList(const std::vector<std::string>& folders,
                                       std::string_view mask);
