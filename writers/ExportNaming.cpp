#include "writers/ExportNaming.h"

#include <filesystem>
#include <iterator>

#include "icons/ResourceName.h"

namespace {

constexpr std::string_view kForbiddenCharacters = "\\/:*?\"<>|";

std::string ForFileName(std::string Text) {
    for (char& c : Text) {
        if (kForbiddenCharacters.find(c) != std::string_view::npos ||
            static_cast<unsigned char>(c) < 0x20)
            c = '_';
    }
    return Text;
}

// A link counts as existing even when it leads nowhere, so nothing is written through it.
bool PathTaken(const std::filesystem::path& Path) {
    std::error_code error;
    std::filesystem::file_status status = std::filesystem::symlink_status(Path, error);
    return std::filesystem::is_regular_file(status) || std::filesystem::is_symlink(status);
}

}  // namespace

const char* ExportExtension(TExportFormat Format) {
    switch (Format) {
        case TExportFormat::Bmp:
            return ".bmp";
        case TExportFormat::Ico:
            return ".ico";
        case TExportFormat::Gif:
            return ".gif";
        case TExportFormat::Png:
            return ".png";
        case TExportFormat::Icns:
            return ".icns";
    }
    return ".png";
}

const std::string kPrefixCharactersMessage =
    "Filename's can not include the following characters:\r\n"
    "\r\n"
    "                        \\ / : * ? \" < > |\r\n"
    "\r\n"
    "Please change your file naming prefix so that it does\r\n"
    "not include any of these characters.";

bool PrefixHasForbiddenCharacter(std::string_view Prefix) {
    return Prefix.find_first_of(kForbiddenCharacters) != std::string_view::npos;
}

std::string EffectivePrefix(std::string_view Prefix, char Separator) {
    std::string result(Prefix);
    if (!result.empty() && result.back() != Separator) result += Separator;
    return result;
}

std::string SourceFileStem(const std::string& FileName) {
    std::string name = std::filesystem::path(FileName).filename().string();
    std::string::size_type dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

TNameParts NamePartsOf(const TLoadedIconImage& Image, int Number) {
    TNameParts parts;
    if (Image.Owner) parts.File = ForFileName(SourceFileStem(Image.Owner->FileName));
    parts.Resource = ForFileName(ReadableName(Image.ResourceName));
    parts.Size = std::to_string(Image.PixelWidth()) + "x" + std::to_string(Image.PixelHeight());
    parts.Number = Number;
    parts.Depth = Image.BitCount;
    return parts;
}

namespace {

// File systems take names of at most 255 bytes; the stem leaves room for the longest collision
// suffix (separator, parentheses and six digits) and the extension.
constexpr std::size_t kMaxStemBytes = 255 - 9 - 4;

// Drops bytes from the end of Text until it is Excess bytes shorter or empty, never stopping
// inside a UTF-8 sequence. Returns how many bytes are still to be dropped elsewhere.
std::size_t CutUtf8(std::string& text, std::size_t excess) {
    std::size_t keep = text.size() > excess ? text.size() - excess : 0;
    while (keep > 0 && (static_cast<unsigned char>(text[keep]) & 0xC0) == 0x80) --keep;
    std::size_t dropped = text.size() - keep;
    text.resize(keep);
    return excess > dropped ? excess - dropped : 0;
}

std::string JoinStem(const std::string& prefix, const TNameParts& Parts, TExportStyle Style,
                     char Separator) {
    const std::string s(1, Separator);
    switch (Style) {
        case TExportStyle::Numeric:
            return prefix + std::to_string(Parts.Number);
        case TExportStyle::Resource:
            return prefix + Parts.Resource;
        case TExportStyle::FileResource:
            return prefix + Parts.File + s + Parts.Resource;
        case TExportStyle::ResourceSize:
            return prefix + Parts.Resource + s + Parts.Size;
        case TExportStyle::FileResourceSize:
            return prefix + Parts.File + s + Parts.Resource + s + Parts.Size;
        case TExportStyle::FileResourceSizeDepth:
            return prefix + Parts.File + s + Parts.Resource + s + Parts.Size + "x" +
                   std::to_string(Parts.Depth);
    }
    return prefix;
}

}  // namespace

std::string ExportStem(const TNameParts& Parts, const TExportNaming& Naming) {
    std::string prefix = EffectivePrefix(Naming.Prefix, Naming.Separator);
    std::string stem = JoinStem(prefix, Parts, Naming.Style, Naming.Separator);
    if (stem.size() <= kMaxStemBytes) return stem;
    // Too long: the resource name gives way first, then the file name, then the prefix; the
    // size and depth part and the number always stay.
    TNameParts cut = Parts;
    std::size_t excess = stem.size() - kMaxStemBytes;
    for (std::string* part : {&cut.Resource, &cut.File, &prefix}) excess = CutUtf8(*part, excess);
    return JoinStem(prefix, cut, Naming.Style, Naming.Separator);
}

std::string ExportSampleText(const TExportNaming& Naming) {
    const TNameParts samples[] = {
        {"iconfile", "#101", "32x32", 1, 32},   {"iconfile", "#102", "16x16", 2, 8},
        {"iconfile", "RedIcon", "32x32", 3, 4}, {"iconfile", "BlueIcon", "32x32", 4, 32},
        {"iconfile", "#107", "48x48", 5, 24},   {"iconfile", "#108", "64x64", 6, 32}};
    return ExportSampleText(Naming, std::vector<TNameParts>(std::begin(samples), std::end(samples)));
}

std::string ExportSampleText(const TExportNaming& Naming, const std::vector<TNameParts>& Parts) {
    std::string text;
    for (const TNameParts& parts : Parts)
        text += ExportStem(parts, Naming) + ExportExtension(Naming.Format) + "\r\n";
    return text;
}

std::string CandidatePath(const std::string& Stem, const TExportNaming& Naming, int Attempt) {
    std::string name = Stem;
    if (Attempt > 1) name += Naming.Separator + ("(" + std::to_string(Attempt) + ")");
    return (std::filesystem::path(Naming.Directory) / (name + ExportExtension(Naming.Format)))
        .string();
}

std::optional<int> ChooseExportAttempt(const std::string& Stem, int Ordinal,
                                       const TExportNaming& Naming,
                                       const std::unordered_set<std::string>& Reserved) {
    auto Taken = [&](int attempt) {
        std::string path = CandidatePath(Stem, Naming, attempt);
        return Reserved.count(path) || PathTaken(path);
    };
    if (Naming.SkipExisting) return Taken(Ordinal) ? std::nullopt : std::optional<int>(Ordinal);
    int attempt = 1;
    while (Taken(attempt)) ++attempt;
    return attempt;
}

std::optional<std::string> ChooseExportPath(const std::string& Stem, int Ordinal,
                                            const TExportNaming& Naming,
                                            const std::unordered_set<std::string>& Reserved) {
    std::optional<int> attempt = ChooseExportAttempt(Stem, Ordinal, Naming, Reserved);
    if (!attempt) return std::nullopt;
    return CandidatePath(Stem, Naming, *attempt);
}

std::string IconKey(const TLoadedIconImage& Image) {
    // A cursor group and an icon group may carry the same name text; never the same key.
    return (Image.Owner ? Image.Owner->FileName : std::string()) + (Image.IsCursor ? "|C|" : "|") +
           Image.ResourceName;
}

TEmptyFolderNames::TEmptyFolderNames(const TExportNaming& Naming, bool MultiFormat)
    : naming_(Naming), multiFormat_(MultiFormat) {}

void TEmptyFolderNames::Count(const TLoadedImages& Images, const TShownTest& Shown) {
    if (naming_.Style == TExportStyle::Numeric) return;
    if (!multiFormat_) {
        for (const TLoadedIconImage* image : Images) CountFile(*image);
        return;
    }
    // Each icon in the order of its first image, named by its first shown image.
    std::vector<std::string> keys;
    std::unordered_map<std::string, const TLoadedIconImage*> namers;
    for (const TLoadedIconImage* image : Images) {
        auto [namer, added] = namers.emplace(IconKey(*image), image);
        if (added) {
            keys.push_back(namer->first);
        } else if (!Shown(*namer->second) && Shown(*image)) {
            namer->second = image;
        }
    }
    for (const std::string& key : keys) CountFile(*namers[key]);
}

void TEmptyFolderNames::CountFile(const TLoadedIconImage& Namer) {
    ordinals_[&Namer] = ++stems_[ExportStem(NamePartsOf(Namer, 0), naming_)];
}

int TEmptyFolderNames::Ordinal(const TLoadedIconImage& Image) const {
    auto found = ordinals_.find(&Image);
    return found == ordinals_.end() ? 1 : found->second;
}
