#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>

#include "icons/LoadedIcon.h"

// The image formats of a batch export, in the order of the format list.
enum class TExportFormat { Bmp, Ico, Gif, Png };

// The naming styles, in the order of the style list.
enum class TExportStyle {
    Numeric,           // prefix, position number
    Resource,          // prefix, resource name
    FileResource,      // prefix, source file, resource name
    ResourceSize,      // prefix, resource name, size
    FileResourceSize,  // prefix, source file, resource name, size
};

// The separators, in the order of the separator list.
constexpr char kExportSeparators[] = {'_', ' ', '-'};

// ".bmp", ".ico", ".gif" or ".png".
const char* ExportExtension(TExportFormat Format);

// How exported files are named and where they go.
struct TExportNaming {
    std::string Directory;
    TExportFormat Format = TExportFormat::Png;
    TExportStyle Style = TExportStyle::FileResourceSize;
    char Separator = '_';
    std::string Prefix;  // as typed
    bool SkipExisting = false;
};

// The warning shown for a prefix that holds a character file names cannot hold; lines joined
// by CR LF.
extern const std::string kPrefixCharactersMessage;

// Whether the prefix holds one of \ / : * ? " < > |.
bool PrefixHasForbiddenCharacter(std::string_view Prefix);

// The prefix with the separator appended when it is not empty and does not already end with
// it: "icon" gives "icon_", "icon_" stays, "icon-" gives "icon-_".
std::string EffectivePrefix(std::string_view Prefix, char Separator);

// The file-name part of a path without its extension: "/a/shell32.dll" gives "shell32".
std::string SourceFileStem(const std::string& FileName);

// What one exported name is made of, besides prefix and separator.
struct TNameParts {
    std::string File;      // source file name without extension
    std::string Resource;  // resource name
    std::string Size;      // for example "32x32"
    int Number = 0;        // position number
};

// The parts of an image: its source file, resource name and pixel size. Characters that file
// names cannot hold, and control characters, become "_" so that a name never leaves the export
// directory.
TNameParts NamePartsOf(const TLoadedIconImage& Image, int Number);

// The name without directory and extension, effective prefix first.
std::string ExportStem(const TNameParts& Parts, const TExportNaming& Naming);

// The six sample names of the naming settings, each followed by CR LF.
std::string ExportSampleText(const TExportNaming& Naming);

// The directory, the stem and the extension; from Attempt 2 on with S "(Attempt)" before the
// extension.
std::string CandidatePath(const std::string& Stem, const TExportNaming& Naming, int Attempt);

// The first candidate path that does not exist, or nothing when the first candidate exists
// and existing files are skipped.
std::optional<std::string> ChooseExportPath(const std::string& Stem, const TExportNaming& Naming);

// The same where the Reserved paths, chosen earlier in a run but perhaps not yet written, count
// as existing too.
std::optional<std::string> ChooseExportPath(const std::string& Stem, const TExportNaming& Naming,
                                            const std::unordered_set<std::string>& Reserved);
