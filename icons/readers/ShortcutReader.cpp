#include "icons/readers/ShortcutReader.h"

#include <algorithm>
#include <filesystem>

#include "icons/FileBytes.h"
#include "icons/IconGroups.h"
#include "icons/LoadIcons.h"
#include "icons/readers/InternetShortcut.h"
#include "icons/readers/ShellLink.h"
#include "icons/readers/WinePaths.h"

namespace {

constexpr std::size_t kBinaryHead = 512;
// Shortcuts are small; bytes beyond this are never part of what is read.
constexpr std::size_t kMaxShortcutSize = 1u << 20;

ByteView Head(TByteSource& file, std::size_t length) {
    return file.Read(0, static_cast<std::size_t>(std::min<std::uint64_t>(file.Size(), length)));
}

// The icon file a shortcut names: the first of its paths whose file exists.
TIconSource Locate(const std::string& shortcut) {
    TFileBytes file(shortcut);
    ByteView bytes = Head(file, kMaxShortcutSize);
    TShortcutIcon named = IsShellLink(bytes) ? ReadShellLink(bytes) : ReadInternetShortcut(bytes);
    TIconSource source;
    source.Index = named.Index;
    for (const std::string& windowsPath : named.WindowsPaths) {
        source.WindowsPath = windowsPath;
        source.Path = MapWindowsPath(windowsPath, shortcut).string();
        std::error_code error;
        if (std::filesystem::is_regular_file(source.Path, error)) return source;
    }
    throw TReadError("icon file not found: " + source.WindowsPath + " (looked for " + source.Path +
                     ")");
}

bool LeadsToShortcut(const TIconSource& source) {
    TFileBytes file(source.Path);
    return IsShortcutFile(file);
}

// The group the index names among the target's icon groups.
const TIconGroup& IndexedGroup(const std::vector<TIconGroup>& groups, const TIconSource& source) {
    if (source.Index >= 0) {
        if (static_cast<std::size_t>(source.Index) < groups.size()) return groups[source.Index];
        throw TReadError(source.Path + " holds " + std::to_string(groups.size()) +
                         " icon groups, none at index " + std::to_string(source.Index));
    }
    std::string name = "#" + std::to_string(-static_cast<std::int64_t>(source.Index));
    for (const TIconGroup& group : groups)
        if (SameGroupName(group.ResourceName, name)) return group;
    throw TReadError(source.Path + " holds no icon group " + name);
}

}  // namespace

bool IsShortcutFile(TByteSource& File) {
    try {
        ByteView head = Head(File, kBinaryHead);
        if (IsShellLink(head)) return true;
        if (std::find(head.begin(), head.end(), 0) != head.end()) return false;  // not text
        return IsInternetShortcut(Head(File, kInternetShortcutHead));
    } catch (const TReadError&) {
        return false;
    }
}

std::unique_ptr<TLoadedIcon> ReadShortcutFile(const std::string& FileName,
                                              const TLoadOptions& Options) {
    TIconSource source = Locate(FileName);
    if (LeadsToShortcut(source)) {
        source = Locate(source.Path);
        if (LeadsToShortcut(source))
            throw TReadError("a shortcut to a shortcut to a shortcut is not followed: " +
                             source.Path);
    }
    TLoadOptions targetOptions;
    targetOptions.HeadersOnly = Options.HeadersOnly;
    TLoadOutcome target = LoadIconsWithReason(source.Path, targetOptions);
    if (!target.Icon) throw TReadError(source.Path + ": " + target.Error);

    std::unique_ptr<TLoadedIcon> icon = std::move(target.Icon);
    std::vector<TIconGroup> groups = IconGroupsOf(*icon);
    const TIconGroup& group = IndexedGroup(groups, source);
    KeepImages(*icon, Options.Groups.Takes(group.ResourceName, true)
                          ? group.Images
                          : std::vector<const TLoadedIconImage*>{});
    icon->FileName = FileName;
    icon->Source = std::move(source);
    return icon;
}
