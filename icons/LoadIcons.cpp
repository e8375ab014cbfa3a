#include "icons/LoadIcons.h"

#include <unistd.h>

#include <cerrno>
#include <string_view>
#include <system_error>

#include "icons/FileExtension.h"
#include "icons/PathAt.h"
#include "icons/ShellIcons.h"
#include "icons/readers/AniReader.h"
#include "icons/readers/IcoReader.h"
#include "icons/readers/PeReader.h"

namespace {

// A substring test, so shortened extensions (".ic", ".d", a bare ".") are routed as well.
bool Matches(const std::string& ext, std::string_view list) {
    return !ext.empty() && list.find(ext) != std::string_view::npos;
}

// Runs a reader; any reading failure becomes the outcome's reason.
template <typename TReader>
void Read(TReader reader, TLoadOutcome& outcome) {
    try {
        outcome.Icon = reader(outcome.Path);
        if (!outcome.Icon) outcome.Error = kNotAnIconSource;
    } catch (const std::exception& error) {
        outcome.Error = error.what();
    } catch (...) {
        outcome.Error = kNotAnIconSource;
    }
}

void ReadAni(TLoadOutcome& outcome, const TLoadOptions& options) {
    Read([&](const std::string& name) { return ReadAniFile(name, options); }, outcome);
}

// The shell is asked only when the icon reader failed, not when it found an empty file; the
// icon reader's reason stays when the shell finds nothing either.
void ReadIconOrShell(TLoadOutcome& outcome, const TLoadOptions&) {
    Read(ReadIcoFile, outcome);
    if (outcome.Icon) return;
    TLoadOutcome shell{outcome.Path, nullptr, {}, {}};
    Read(ReadShellIcons, shell);
    if (shell.Icon) outcome = std::move(shell);
}

// 32-bit executables; the PE reader hands 16-bit ones and icon libraries to the NE reader.
void ReadExecutable(TLoadOutcome& outcome, const TLoadOptions& options) {
    Read([&](const std::string& name) { return ReadPeFile(name, options); }, outcome);
}

// How a kind of file holds icon groups: none (an animated cursor), the file as one unnamed
// group (an icon or cursor file), or groups the reader itself chooses from (executables).
enum class TGroups { None, WholeFile, Chosen };

struct TRoute {
    std::string_view extensions;
    void (*read)(TLoadOutcome&, const TLoadOptions&);
    TGroups groups;
};

// Tried in this order; the first list that holds the extension decides. ".mun" files are the
// resource-only libraries in which Windows 10 and later keep their system icons.
constexpr TRoute kRoutes[] = {
    {".ani", ReadAni, TGroups::None},
    {".ico.cur", ReadIconOrShell, TGroups::WholeFile},
    {".dll.ocx.icl.exe.cpl.bpl.scr.vbx.drv.mun", ReadExecutable, TGroups::Chosen}};

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

}  // namespace

TLoadOutcome LoadIconsWithReason(const std::string& FileName, const TLoadOptions& Options) {
    TLoadOutcome outcome{FileName, nullptr, {}, {}};
    outcome.Error = Unreadable(FileName);
    if (!outcome.Error.empty()) return outcome;
    std::string ext = LowerExtension(FileName);
    for (const TRoute& route : kRoutes) {
        if (!Matches(ext, route.extensions)) continue;
        if (MayHoldChosenGroup(route.groups, Options.Groups)) {
            route.read(outcome, Options);
        } else {
            outcome.Icon = std::make_unique<TLoadedIcon>();
            outcome.Icon->FileName = FileName;
        }
        if (outcome.Icon) {
            outcome.Error.clear();
            outcome.Icon->ImageCount = static_cast<std::int32_t>(outcome.Icon->Images.size());
        }
        return outcome;
    }
    outcome.Error = kNotAnIconSource;
    return outcome;
}

std::unique_ptr<TLoadedIcon> LoadIconsFromFile(const std::string& FileName,
                                               const TLoadOptions& Options) {
    return LoadIconsWithReason(FileName, Options).Icon;
}
