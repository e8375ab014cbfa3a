#include "icons/LoadIcons.h"

#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "icons/AniReader.h"
#include "icons/FileExtension.h"
#include "icons/IcoReader.h"
#include "icons/PeReader.h"
#include "icons/ShellIcons.h"

namespace {

constexpr const char* kNotAnIconSource = "Not an icon source";

// A substring test, so shortened extensions (".ic", ".d", a bare ".") are routed as well.
bool Matches(const std::string& ext, std::string_view list) {
    return !ext.empty() && list.find(ext) != std::string_view::npos;
}

using TReader = std::unique_ptr<TLoadedIcon> (*)(const std::string&);

// Runs a reader; any reading failure becomes the outcome's reason.
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

void ReadAni(TLoadOutcome& outcome) {
    Read(ReadAniFile, outcome);
}

// The shell is asked only when the icon reader failed, not when it found an empty file; the
// icon reader's reason stays when the shell finds nothing either.
void ReadIconOrShell(TLoadOutcome& outcome) {
    Read(ReadIcoFile, outcome);
    if (outcome.Icon) return;
    TLoadOutcome shell{outcome.Path, nullptr, {}};
    Read(ReadShellIcons, shell);
    if (shell.Icon) outcome = std::move(shell);
}

// 32-bit executables; the PE reader hands 16-bit ones and icon libraries to the NE reader.
void ReadExecutable(TLoadOutcome& outcome) {
    Read(ReadPeFile, outcome);
}

struct TRoute {
    std::string_view extensions;
    void (*read)(TLoadOutcome&);
};

// Tried in this order; the first list that holds the extension decides.
constexpr TRoute kRoutes[] = {{".ani", ReadAni},
                              {".ico.cur", ReadIconOrShell},
                              {".dll.ocx.icl.exe.cpl.bpl.scr.vbx.drv", ReadExecutable}};

// Why the file cannot be read at all, or nothing. Folders, named pipes and devices are never
// read: a pipe would wait for a writer forever.
std::string Unreadable(const std::string& fileName) {
    std::error_code error;
    std::filesystem::file_status status = std::filesystem::status(fileName, error);
    if (error) return std::generic_category().message(error.value());
    if (!std::filesystem::is_regular_file(status)) return kNotAnIconSource;
    if (::access(fileName.c_str(), R_OK) != 0) return std::generic_category().message(errno);
    return {};
}

}  // namespace

TLoadOutcome LoadIconsWithReason(const std::string& FileName) {
    TLoadOutcome outcome{FileName, nullptr, {}};
    outcome.Error = Unreadable(FileName);
    if (!outcome.Error.empty()) return outcome;
    std::string ext = LowerExtension(FileName);
    for (const TRoute& route : kRoutes) {
        if (!Matches(ext, route.extensions)) continue;
        route.read(outcome);
        if (outcome.Icon) {
            outcome.Error.clear();
            outcome.Icon->ImageCount = static_cast<std::int32_t>(outcome.Icon->Images.size());
        }
        return outcome;
    }
    outcome.Error = kNotAnIconSource;
    return outcome;
}

std::unique_ptr<TLoadedIcon> LoadIconsFromFile(const std::string& FileName) {
    return LoadIconsWithReason(FileName).Icon;
}
