#include "icons/LoadIcons.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <new>
#include <string_view>
#include <system_error>

#include "icons/FileBytes.h"
#include "icons/FileExtension.h"
#include "icons/PathAt.h"
#include "icons/PngStream.h"
#include "icons/ShellIcons.h"
#include "icons/readers/AniReader.h"
#include "icons/readers/IcoReader.h"
#include "icons/readers/MsiReader.h"
#include "icons/readers/MsiSignature.h"
#include "icons/readers/PeReader.h"
#include "icons/readers/ShortcutReader.h"

namespace {

// Runs a reader on the opened file; any reading failure becomes the outcome's reason.
template <typename TReader>
void Read(TReader reader, TLoadOutcome& outcome) {
    try {
        outcome.Icon = reader(outcome.Path);
        if (!outcome.Icon) outcome.Error = kNotAnIconSource;
    } catch (const std::bad_alloc&) {
        outcome.Error = kTooLargeToRead;
    } catch (const std::exception& error) {
        outcome.Error = error.what();
    } catch (...) {
        outcome.Error = kNotAnIconSource;
    }
}

// The animated cursor reader parses the file in memory; real ones weigh a few hundred
// kilobytes, so a larger file is refused rather than read whole.
constexpr std::uint64_t kMaxAnimatedCursorSize = 64u << 20;

void ReadAni(TByteSource& file, TLoadOutcome& outcome, const TLoadOptions& options) {
    Read(
        [&](const std::string& name) {
            if (file.Size() > kMaxAnimatedCursorSize)
                throw TReadError("An animated cursor of more than 64 MB is not read");
            return ReadAniData(file.All(), name, options);
        },
        outcome);
}

// The shell is asked only when the icon reader failed, not when it found an empty file; the
// icon reader's reason stays when the shell finds nothing either.
void ReadIconOrShell(TByteSource& file, TLoadOutcome& outcome, const TLoadOptions& options) {
    Read([&](const std::string& name) { return ReadIcoSource(file, name, options); }, outcome);
    if (outcome.Icon) return;
    TLoadOutcome shell{outcome.Path, nullptr, {}, {}};
    Read(ReadShellIcons, shell);
    if (shell.Icon) outcome = std::move(shell);
}

// 32-bit executables; the PE reader hands 16-bit ones and icon libraries to the NE reader.
void ReadExecutable(TByteSource& file, TLoadOutcome& outcome, const TLoadOptions& options) {
    Read([&](const std::string& name) { return ReadPeSource(file, name, options); }, outcome);
}

// Installer packages and shortcuts; these readers open the file themselves and apply the
// group filter on their own.
void ReadInstaller(TByteSource&, TLoadOutcome& outcome, const TLoadOptions& options) {
    Read([&](const std::string& name) { return ReadMsiFile(name, options); }, outcome);
}

void ReadShortcut(TByteSource&, TLoadOutcome& outcome, const TLoadOptions& options) {
    Read([&](const std::string& name) { return ReadShortcutFile(name, options); }, outcome);
}

// What the first bytes of a file must be for a reader to take it. The name counts only where
// the bytes alone say too little; an installer package is told by its root entry, one
// positioned read further in.
bool IsExecutable(TByteSource&, ByteView head, std::string_view) {
    return head.size() >= 2 && head[0] == 'M' && head[1] == 'Z';
}

bool IsAnimatedCursor(TByteSource&, ByteView head, std::string_view) {
    return head.size() >= 12 && std::equal(head.begin(), head.begin() + 4, "RIFF") &&
           std::equal(head.begin() + 8, head.begin() + 12, "ACON");
}

bool IsIconOrCursor(TByteSource&, ByteView head, std::string_view) {
    return IsIconDirectoryHead(head);
}

// A favicon saved under an icon's name is often a PNG file itself.
bool IsSavedFavicon(TByteSource&, ByteView head, std::string_view name) {
    std::string ext = LowerExtension(name);
    return IsPngStream(head) && (ext == ".ico" || ext == ".cur");
}

bool IsInstaller(TByteSource& file, ByteView, std::string_view) {
    return IsMsiFile(file);
}

bool IsShortcut(TByteSource& file, ByteView, std::string_view) {
    return IsShortcutFile(file);
}

// How a kind of file holds icon groups: none (an animated cursor), the file as one unnamed
// group (an icon or cursor file), or groups the reader itself chooses from (executables).
enum class TGroups { None, WholeFile, Chosen };

struct TRoute {
    bool (*recognise)(TByteSource& file, ByteView head, std::string_view name);
    void (*read)(TByteSource&, TLoadOutcome&, const TLoadOptions&);
    TGroups groups;
};

// Tried in this order; the first whose first bytes match decides.
constexpr TRoute kRoutes[] = {{IsExecutable, ReadExecutable, TGroups::Chosen},
                              {IsAnimatedCursor, ReadAni, TGroups::None},
                              {IsIconOrCursor, ReadIconOrShell, TGroups::WholeFile},
                              {IsSavedFavicon, ReadIconOrShell, TGroups::WholeFile},
                              {IsInstaller, ReadInstaller, TGroups::Chosen},
                              {IsShortcut, ReadShortcut, TGroups::Chosen}};

// The first bytes every recogniser looks at.
constexpr std::size_t kHeadSize = 16;

// Whether the groups chosen leave anything of a file of that kind to read.
bool MayHoldChosenGroup(TGroups groups, const TGroupFilter& chosen) {
    if (groups == TGroups::Chosen || chosen.TakesAll()) return true;
    return groups == TGroups::WholeFile && chosen.Takes("", true);
}

// Why the file cannot be read at all, or nothing. Folders, named pipes and devices are never
// read: a pipe would wait for a writer forever.
std::string Unreadable(const std::string& fileName) {
    struct stat status {};
    if (StatPath(fileName, status) != 0) return std::generic_category().message(errno);
    if (!S_ISREG(status.st_mode)) return kNotAnIconSource;
    if (AccessPath(fileName, R_OK) != 0) return std::generic_category().message(errno);
    return {};
}

// The route the file's first bytes choose, or none.
const TRoute* Recognise(TByteSource& file, const std::string& fileName) {
    ByteView head = file.ReadAtMost(0, kHeadSize);
    for (const TRoute& route : kRoutes) {
        if (route.recognise(file, head, fileName)) return &route;
    }
    return nullptr;
}

// Opens the file, chooses the reader by its first bytes and reads it.
void ReadByContent(TLoadOutcome& outcome, const TLoadOptions& options) {
    TFileBytes file(outcome.Path);
    const TRoute* route = Recognise(file, outcome.Path);
    if (!route) {
        outcome.Error = kNotAnIconSource;
    } else if (MayHoldChosenGroup(route->groups, options.Groups)) {
        route->read(file, outcome, options);
    } else {
        outcome.Icon = std::make_unique<TLoadedIcon>();
        outcome.Icon->FileName = outcome.Path;
    }
}

}  // namespace

TLoadOutcome LoadIconsWithReason(const std::string& FileName, const TLoadOptions& Options) {
    TLoadOutcome outcome{FileName, nullptr, {}, {}};
    outcome.Error = Unreadable(FileName);
    if (!outcome.Error.empty()) return outcome;
    try {
        ReadByContent(outcome, Options);
    } catch (const std::bad_alloc&) {
        outcome.Error = kTooLargeToRead;
    } catch (const std::exception& error) {  // the first bytes could not be read
        outcome.Error = error.what();
    }
    if (outcome.Icon) {
        outcome.Error.clear();
        outcome.Icon->ImageCount = static_cast<std::int32_t>(outcome.Icon->Images.size());
    }
    return outcome;
}

std::unique_ptr<TLoadedIcon> LoadIconsFromFile(const std::string& FileName,
                                               const TLoadOptions& Options) {
    return LoadIconsWithReason(FileName, Options).Icon;
}
