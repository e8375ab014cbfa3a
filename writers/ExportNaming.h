#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "icons/LoadedIcon.h"

// The image formats of a batch export, in the order of the format list (stored settings keep
// their meaning, so new formats go last).
enum class TExportFormat { Bmp, Ico, Gif, Png, Icns };

// The naming styles, in the order of the style list.
enum class TExportStyle {
    Numeric,                // prefix, position number
    Resource,               // prefix, resource name
    FileResource,           // prefix, source file, resource name
    ResourceSize,           // prefix, resource name, size
    FileResourceSize,       // prefix, source file, resource name, size
    FileResourceSizeDepth,  // prefix, source file, resource name, size and colour depth
};

// The separators, in the order of the separator list.
constexpr char kExportSeparators[] = {'_', ' ', '-'};

// ".bmp", ".ico", ".gif", ".png" or ".icns".
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
    int Depth = 0;         // bits per pixel, as the colour filter counts them
};

// The parts of an image: its source file, resource name, pixel size and bit count. Characters that
// file names cannot hold, and control characters, become "_" so that a name never leaves the export
// directory.
TNameParts NamePartsOf(const TLoadedIconImage& Image, int Number);

// The name without directory and extension, effective prefix first.
std::string ExportStem(const TNameParts& Parts, const TExportNaming& Naming);

// The six sample names of the naming settings, each followed by CR LF.
std::string ExportSampleText(const TExportNaming& Naming);
// The names of the given parts, each followed by CR LF: the sample of the images to export.
std::string ExportSampleText(const TExportNaming& Naming, const std::vector<TNameParts>& Parts);

// The directory, the stem and the extension; from Attempt 2 on with S "(Attempt)" before the
// extension.
std::string CandidatePath(const std::string& Stem, const TExportNaming& Naming, int Attempt);

// Which candidate a file is written to. With SkipExisting: the Ordinal-th, the name the file
// gets in an empty folder, or nothing when exactly that path is taken. Otherwise the first
// candidate that is not taken. A path is taken when a file or a link holds it, or when it is
// among the Reserved paths, chosen earlier in a run but perhaps not yet written; a path held by
// a folder or anything else is chosen, so that writing the file names why it cannot be.
std::optional<int> ChooseExportAttempt(const std::string& Stem, int Ordinal,
                                       const TExportNaming& Naming,
                                       const std::unordered_set<std::string>& Reserved = {});

// The path of that candidate.
std::optional<std::string> ChooseExportPath(const std::string& Stem, int Ordinal,
                                            const TExportNaming& Naming,
                                            const std::unordered_set<std::string>& Reserved = {});

// The icon key: the source file path, "|", the resource name; for a cursor group "|C|" takes
// the place of "|".
std::string IconKey(const TLoadedIconImage& Image);

// Loaded images in grid order: those of one source file after another, each file's in its order.
using TLoadedImages = std::vector<const TLoadedIconImage*>;

// Whether an image is among those an export chooses from (a grid cell, an image the tool's
// filter passes).
using TShownTest = std::function<bool(const TLoadedIconImage&)>;

// The names an export gives in an empty folder: the k-th file of a stem is stem, then stem S
// "(k)". Files are counted in grid order over every loaded image, shown or not, so that a run
// that skips existing files writes exactly what an earlier run left out: one file per image,
// or in multi-format mode one per icon, named by its first shown image (its first image when
// none is shown). Numbered names never share a stem.
class TEmptyFolderNames {
public:
    TEmptyFolderNames(const TExportNaming& Naming, bool MultiFormat);

    // Counts the files of Images; a later call counts the images of further source files.
    void Count(const TLoadedImages& Images, const TShownTest& Shown);
    // The k of the file that Image names; 1 for an image not counted.
    int Ordinal(const TLoadedIconImage& Image) const;

private:
    void CountFile(const TLoadedIconImage& Namer);

    TExportNaming naming_;
    bool multiFormat_;
    std::unordered_map<std::string, int> stems_;
    std::unordered_map<const TLoadedIconImage*, int> ordinals_;
};
