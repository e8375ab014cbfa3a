#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// Expands the environment variables Wine sets by default (%SystemRoot%, %windir%,
// %SystemDrive%, %ProgramFiles%, %ProgramFiles(x86)%, %CommonProgramFiles%, %ProgramData%,
// %USERPROFILE% as C:\users\<login name>, %APPDATA% and %LOCALAPPDATA% below it), names
// matched ignoring case. Other variables stay as written.
std::string ExpandWineVariables(std::string_view Text);

// The file a Windows path names, as seen from the shortcut at Shortcut. A path with a drive
// letter goes through the Wine prefix that holds the shortcut (the nearest folder above it
// with drive_c and dosdevices): the drive follows dosdevices/x:, and each name matches a file
// of that name in any case, as on Windows. A relative path starts at the shortcut's folder.
// Variables are expanded first. Names not found are kept as written, so the result says what
// was looked for. Throws TReadError for a drive path outside any Wine prefix and for a network
// path.
std::filesystem::path MapWindowsPath(std::string_view WindowsPath,
                                     const std::filesystem::path& Shortcut);
