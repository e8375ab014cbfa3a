#include "icons/readers/WinePaths.h"

#include <pwd.h>
#include <unistd.h>

#include <array>
#include <optional>
#include <utility>

#include "icons/ByteReader.h"
#include "icons/GroupFilter.h"

namespace fs = std::filesystem;

namespace {

std::string LoginName() {
    std::array<char, 4096> buffer{};
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found)
        return found->pw_name;
    const char* user = std::getenv("USER");
    return user ? user : "user";
}

std::string VariableValue(std::string_view name) {
    static const std::string profile = "C:\\users\\" + LoginName();
    static const std::pair<std::string_view, std::string> kDefaults[] = {
        {"SystemRoot", "C:\\windows"},
        {"windir", "C:\\windows"},
        {"SystemDrive", "C:"},
        {"ProgramFiles", "C:\\Program Files"},
        {"ProgramFiles(x86)", "C:\\Program Files (x86)"},
        {"CommonProgramFiles", "C:\\Program Files\\Common Files"},
        {"ProgramData", "C:\\ProgramData"},
        {"USERPROFILE", profile},
        {"APPDATA", profile + "\\AppData\\Roaming"},
        {"LOCALAPPDATA", profile + "\\AppData\\Local"},
    };
    for (const auto& [variable, value] : kDefaults)
        if (SameGroupName(variable, name)) return value;
    return "%" + std::string(name) + "%";
}

// The nearest folder at or above `folder` that holds drive_c and dosdevices.
std::optional<fs::path> WinePrefixAbove(fs::path folder) {
    std::error_code error;
    for (; !folder.empty(); folder = folder.parent_path()) {
        if (fs::is_directory(folder / "drive_c", error) &&
            fs::is_directory(folder / "dosdevices", error))
            return folder;
        if (folder == folder.root_path()) break;
    }
    return std::nullopt;
}

// The entry of `folder` named `name` in any case: the exact name when it is there, else the
// first entry that matches ignoring the case of ASCII letters, else `name` as it is.
fs::path Entry(const fs::path& folder, std::string_view name) {
    std::error_code error;
    fs::path exact = folder / name;
    if (fs::exists(exact, error)) return exact;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        if (SameGroupName(it->path().filename().string(), name)) return it->path();
    return exact;
}

bool HasDrive(std::string_view path) {
    return path.size() >= 2 && path[1] == ':' &&
           ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
}

}  // namespace

std::string ExpandWineVariables(std::string_view Text) {
    std::string out;
    while (!Text.empty()) {
        std::size_t open = Text.find('%');
        std::size_t close = open == std::string_view::npos ? open : Text.find('%', open + 1);
        if (close == std::string_view::npos) break;
        out += Text.substr(0, open);
        out += VariableValue(Text.substr(open + 1, close - open - 1));
        Text.remove_prefix(close + 1);
    }
    return out += Text;
}

fs::path MapWindowsPath(std::string_view WindowsPath, const fs::path& Shortcut) {
    std::string path = ExpandWineVariables(WindowsPath);
    if (path.size() >= 2 && path.front() == '"' && path.back() == '"')
        path = path.substr(1, path.size() - 2);
    if (path.starts_with("\\\\")) throw TReadError("the network path " + path + " is not followed");
    if (path.starts_with('\\')) path = "C:" + path;  // the root of the current drive
    std::error_code error;
    fs::path at = fs::absolute(Shortcut, error).parent_path();
    fs::path drive;  // ".." goes no higher than a drive's root
    std::string_view rest = path;
    if (HasDrive(path)) {
        auto prefix = WinePrefixAbove(at);
        if (!prefix)
            throw TReadError("no Wine prefix holds the shortcut, so " + path + " cannot be found");
        at = drive = Entry(*prefix / "dosdevices", path.substr(0, 2));
        rest.remove_prefix(2);
    }
    while (!rest.empty()) {
        std::size_t end = std::min(rest.find_first_of("\\/"), rest.size());
        std::string_view name = rest.substr(0, end);
        rest.remove_prefix(std::min(end + 1, rest.size()));
        if (name.empty() || name == ".") continue;
        if (name == "..") {
            if (at != drive) at = at.parent_path();
            continue;
        }
        at = Entry(at, name);
    }
    return at;
}
