#include "writers/HicolorExport.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "writers/AreaScale.h"
#include "writers/PngUnit.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

// Writes one size; throws the writers' errors, or one naming the folder that could not be made.
void WriteSize(const THicolorSize& size, const std::string& path) {
    const fs::path folder = fs::path(path).parent_path();
    std::error_code error;
    fs::create_directories(folder, error);
    if (error)
        throw std::runtime_error("Unable to create " + folder.string() + " (" + error.message() +
                                 ")");
    if (!size.Scaled()) {
        SaveImageAsPng(*size.Source, path, clWhite);
        return;
    }
    const TRgbaImage scaled =
        ScaleDownByArea(StraightAlphaImage(*size.Source), size.Pixels, size.Pixels);
    WritePngFile(TPngBuffer(scaled), path, clWhite, false);
}

}  // namespace

std::string UserHicolorFolder() {
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data && fs::path(data).is_absolute()) return (fs::path(data) / "icons/hicolor").string();
    const char* home = std::getenv("HOME");
    return (fs::path(home ? home : "/") / ".local/share/icons/hicolor").string();
}

std::string HicolorPath(const std::string& ThemeFolder, int Pixels, const std::string& Name) {
    const std::string size = std::to_string(Pixels) + "x" + std::to_string(Pixels);
    return (fs::path(ThemeFolder) / size / "apps" / (Name + ".png")).string();
}

std::vector<THicolorFile> InstallHicolorIcon(const std::vector<THicolorSize>& Sizes,
                                             const std::string& Name,
                                             const std::string& ThemeFolder) {
    std::vector<THicolorFile> files;
    for (const THicolorSize& size : Sizes) {
        THicolorFile file{size, HicolorPath(ThemeFolder, size.Pixels, Name), {}};
        try {
            WriteSize(size, file.Path);
        } catch (const std::exception& error) {
            file.Failure = error.what();
        }
        files.push_back(std::move(file));
    }
    RefreshIconTheme(ThemeFolder);
    return files;
}

void RefreshIconTheme(const std::string& ThemeFolder) {
    std::error_code error;
    fs::last_write_time(ThemeFolder, fs::file_time_type::clock::now(), error);
    if (!fs::exists(fs::path(ThemeFolder) / "icon-theme.cache", error)) return;
    std::string program = "gtk-update-icon-cache";
    std::string quiet = "--quiet";
    std::string force = "--force";
    // A user's theme folder often has no index.theme of its own.
    std::string noIndex = "--ignore-theme-index";
    std::string folder = ThemeFolder;
    char* argv[] = {program.data(), quiet.data(),  force.data(),
                    noIndex.data(), folder.data(), nullptr};
    pid_t child = 0;
    // A missing program fails the spawn (or the child), which leaves the cache as it was.
    if (posix_spawnp(&child, program.c_str(), nullptr, nullptr, argv, environ) != 0) return;
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
}
