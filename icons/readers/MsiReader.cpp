#include "icons/readers/MsiReader.h"

#include <algorithm>
#include <mutex>

#include "icons/IconGroups.h"
#include "icons/readers/IcoReader.h"
#include "icons/readers/MsiDatabase.h"
#include "icons/readers/PeReader.h"

namespace {

// libmsi keeps state shared between the databases it opens, so one package is read at a time.
std::mutex gLibmsi;

// An icon or cursor file: reserved word 0, type 1 or 2, at least one entry.
bool IsIconFile(ByteView head) {
    if (head.size() < 6) return false;
    std::uint16_t type = ReadU16At(head, 2);
    return ReadU16At(head, 0) == 0 && (type == 1 || type == 2) && ReadU16At(head, 4) != 0;
}

bool IsExecutable(ByteView head) { return head.size() >= 2 && head[0] == 'M' && head[1] == 'Z'; }

// Moves the images of one stream into the package's icon: the stream's groups are named by
// its row, alone for an icon file, before each group's own name for an executable.
void Adopt(TLoadedIcon& icon, TLoadedIcon& part, const std::string& name, bool executable) {
    for (auto& image : part.Images) {
        image->ResourceName = executable ? name + "/" + image->ResourceName : name;
        icon.UpdateMaxSize(image->PixelWidth(), image->PixelHeight());
        icon.AddImage(std::move(image));
    }
    if (!part.Damage.empty()) icon.NoteDamage(name + ": " + part.Damage);
}

// Reads one row's stream as an icon file or an executable; why it cannot goes to the
// package's Damage under the row's name.
void ReadRow(TLoadedIcon& icon, const TMsiStream& row, const TLoadOptions& executableOptions) {
    try {
        if (!row.Error.empty()) throw TReadError(row.Error);
        TLoadedIcon part;
        if (IsIconFile(row.Bytes)) {
            ReadIconDirectory(part, row.Bytes);
            auto record = ReadGroupRecord(row.Bytes);
            for (const auto& image : part.Images) image->Group = record;
            Adopt(icon, part, row.Name, false);
        } else if (IsExecutable(row.Bytes)) {
            auto executable = ReadPeData(row.Bytes, icon.FileName, executableOptions);
            if (!executable || executable->Images.empty())
                throw TReadError("the executable holds no icon");
            Adopt(icon, *executable, row.Name, true);
        } else {
            throw TReadError("the stream is neither an icon nor an executable");
        }
    } catch (const TReadError& error) {
        icon.NoteDamage(row.Name + ": " + error.what());
    }
}

// Puts the groups of the row that ARPPRODUCTICON names first, keeping the order otherwise.
void PutMainIconFirst(TLoadedIcon& icon, const std::string& name) {
    std::stable_partition(icon.Images.begin(), icon.Images.end(), [&](const auto& image) {
        const std::string& group = image->ResourceName;
        return group == name || group.starts_with(name + "/");
    });
}

// Drops the images of the groups the load does not take; the main icon is the first group.
void KeepChosenGroups(TLoadedIcon& icon, const TLoadOptions& options) {
    if (options.Groups.TakesAll() && !options.FileIconOnly) return;
    std::vector<const TLoadedIconImage*> kept;
    std::vector<TIconGroup> groups = IconGroupsOf(icon);
    for (std::size_t i = 0; i < groups.size(); ++i) {
        bool first = i == 0;
        if (options.FileIconOnly ? first : options.Groups.Takes(groups[i].ResourceName, first))
            kept.insert(kept.end(), groups[i].Images.begin(), groups[i].Images.end());
    }
    KeepImages(icon, kept);
}

}  // namespace

std::unique_ptr<TLoadedIcon> ReadMsiFile(const std::string& FileName,
                                         const TLoadOptions& Options) {
    auto icon = std::make_unique<TLoadedIcon>();
    icon->FileName = FileName;
    TLoadOptions executableOptions;  // every icon group, so that the package's filter applies
    executableOptions.HeadersOnly = Options.HeadersOnly;

    std::lock_guard lock(gLibmsi);
    TMsiDatabase database(FileName);
    bool iconTable = database.ReadStreams(
        "Icon", [](ByteView head) { return IsIconFile(head) || IsExecutable(head); },
        [&](const TMsiStream& row) { ReadRow(*icon, row, executableOptions); });
    database.ReadStreams("Binary", IsIconFile, [&](const TMsiStream& row) {
        if (IsIconFile(row.Bytes) || !row.Error.empty()) ReadRow(*icon, row, executableOptions);
    });
    if (auto main = database.Property("ARPPRODUCTICON")) PutMainIconFirst(*icon, *main);

    if (icon->Images.empty()) {
        if (!icon->Damage.empty()) throw TReadError(icon->Damage);
        throw TReadError(iconTable ? "the installer holds no icon"
                                   : "the installer holds no Icon table");
    }
    KeepChosenGroups(*icon, Options);
    return icon;
}
