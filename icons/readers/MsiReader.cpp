#include "icons/readers/MsiReader.h"

#include <algorithm>

#include "icons/IconGroups.h"
#include "icons/readers/IcoReader.h"
#include "icons/readers/MsiTables.h"
#include "icons/readers/PeReader.h"

namespace {

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
        if (IsIconFileHead(row.Bytes)) {
            ReadIconDirectory(part, row.Bytes);
            auto record = ReadGroupRecord(row.Bytes);
            for (const auto& image : part.Images) image->Group = record;
            Adopt(icon, part, row.Name, false);
        } else if (IsExecutableHead(row.Bytes)) {
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

std::unique_ptr<TLoadedIcon> ReadMsiFile(const std::string& FileName, const TLoadOptions& Options) {
    auto icon = std::make_unique<TLoadedIcon>();
    icon->FileName = FileName;
    TLoadOptions executableOptions;  // every icon group, so that the package's filter applies
    executableOptions.HeadersOnly = Options.HeadersOnly;

    TMsiTables tables = ReadMsiTables(FileName);
    for (const TMsiStream& row : tables.Icons) ReadRow(*icon, row, executableOptions);
    for (const TMsiStream& row : tables.Binaries) ReadRow(*icon, row, executableOptions);
    if (tables.ProductIcon) PutMainIconFirst(*icon, *tables.ProductIcon);

    if (icon->Images.empty()) {
        if (!icon->Damage.empty()) throw TReadError(icon->Damage);
        throw TReadError(tables.HasIconTable ? "the installer holds no icon"
                                             : "the installer holds no Icon table");
    }
    KeepChosenGroups(*icon, Options);
    return icon;
}
