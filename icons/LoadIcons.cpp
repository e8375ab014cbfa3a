#include "icons/LoadIcons.h"

#include <filesystem>
#include <string_view>

#include "icons/AniReader.h"
#include "icons/FileExtension.h"
#include "icons/IcoReader.h"
#include "icons/PeReader.h"
#include "icons/ShellIcons.h"

namespace {

// A substring test, so shortened extensions (".ic", ".d", a bare ".") are routed as well.
bool Matches(const std::string& ext, std::string_view list) {
    return !ext.empty() && list.find(ext) != std::string_view::npos;
}

template <typename Reader>
std::unique_ptr<TLoadedIcon> Guarded(Reader reader, const std::string& fileName) {
    try {
        return reader(fileName);
    } catch (...) {  // any reading failure means "no icons"
        return nullptr;
    }
}

// Folders, named pipes and devices are never read: a pipe would wait for a writer forever.
bool IsRegularFile(const std::string& fileName) {
    std::error_code error;
    return std::filesystem::is_regular_file(fileName, error);
}

std::unique_ptr<TLoadedIcon> ReadAni(const std::string& fileName, const TLoadOptions& options) {
    return Guarded([&](const std::string& name) { return ReadAniFile(name, options); }, fileName);
}

// The shell is asked only when the icon reader failed, not when it found an empty file.
std::unique_ptr<TLoadedIcon> ReadIconOrShell(const std::string& fileName, const TLoadOptions&) {
    std::unique_ptr<TLoadedIcon> icon = Guarded(ReadIcoFile, fileName);
    return icon ? std::move(icon) : Guarded(ReadShellIcons, fileName);
}

// 32-bit executables; the PE reader hands 16-bit ones and icon libraries to the NE reader.
std::unique_ptr<TLoadedIcon> ReadExecutable(const std::string& fileName,
                                            const TLoadOptions& options) {
    return Guarded([&](const std::string& name) { return ReadPeFile(name, options); }, fileName);
}

struct TRoute {
    std::string_view extensions;
    std::unique_ptr<TLoadedIcon> (*read)(const std::string&, const TLoadOptions&);
};

// Tried in this order; the first list that holds the extension decides. ".mun" files are the
// resource-only libraries in which Windows 10 and later keep their system icons.
constexpr TRoute kRoutes[] = {{".ani", ReadAni},
                              {".ico.cur", ReadIconOrShell},
                              {".dll.ocx.icl.exe.cpl.bpl.scr.vbx.drv.mun", ReadExecutable}};

}  // namespace

std::unique_ptr<TLoadedIcon> LoadIconsFromFile(const std::string& FileName,
                                               const TLoadOptions& Options) {
    std::string ext = LowerExtension(FileName);
    for (const TRoute& route : kRoutes) {
        if (!Matches(ext, route.extensions)) continue;
        if (!IsRegularFile(FileName)) return nullptr;
        std::unique_ptr<TLoadedIcon> icon = route.read(FileName, Options);
        if (icon) icon->ImageCount = static_cast<std::int32_t>(icon->Images.size());
        return icon;
    }
    return nullptr;
}
