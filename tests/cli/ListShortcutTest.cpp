#include <gtest/gtest.h>

#include <filesystem>

#include "CliRun.h"
#include "GroupBuilder.h"
#include "MiniJson.h"
#include "PeBuilder.h"
#include "ShellLinkBuilder.h"
#include "TempDir.h"

namespace fs = std::filesystem;

namespace {

const DibSpec k16x4{16, 16, 4, 0x21, 0x00, true};
const DibSpec k32x8{32, 32, 8, 0x43, 0x00, true};
const DibSpec k48x32{48, 48, 32, 0x80, 0x00, true};

ByteString Text(const std::string& text) {
    return {text.begin(), text.end()};
}

// A Wine prefix: C: is drive_c, D: a folder outside it; a library with the groups MAINICON (16),
// #1 (32) and #7 (48) in C:\Windows\System32, an icon file (48) on D:.
std::string MakePrefix(const TempDir& dir) {
    PeBuilder library;
    library.Icon(1, MakeDib(k16x4)).Icon(2, MakeDib(k32x8)).Icon(3, MakeDib(k48x32));
    library.Group({0, "MAINICON"}, BuildIconGroup({GroupEntryFor(k16x4, 1)}));
    library.Group({1, {}}, BuildIconGroup({GroupEntryFor(k32x8, 2)}));
    library.Group({7, {}}, BuildIconGroup({GroupEntryFor(k48x32, 3)}));
    dir.Write("pfx/drive_c/Windows/System32/Lib.dll", library.Build());
    dir.Write("elsewhere/App.ico", BuildIco({EntryFor(k48x32)}));
    fs::create_directories(dir.Path() / "pfx/dosdevices");
    fs::create_directory_symlink("../drive_c", dir.Path() / "pfx/dosdevices/c:");
    fs::create_directory_symlink(dir.Path() / "elsewhere", dir.Path() / "pfx/dosdevices/d:");
    return dir.Path().string() + "/pfx/";
}

}  // namespace

// Shortcuts stand for the icon group they name, found through the Wine prefix that holds them;
// the listing says where it came from, or which path it looked for.
TEST(ListCommand, ShortcutsListTheGroupTheyNameInTheirWinePrefix) {
    TempDir dir;
    std::string pfx = MakePrefix(dir);
    std::string desk = "pfx/drive_c/users/Public/Desktop/";
    ShellLinkSpec location;
    location.iconLocation = "%SystemRoot%\\system32\\lib.DLL";
    location.iconIndex = -7;
    ByteString locationBytes = BuildShellLink(location);
    ShellLinkSpec expIcon;  // the expanded icon path is missing: the location string is used
    expIcon.unicode = false;
    expIcon.iconEnvironment = "%ProgramFiles%\\gone.ico";
    expIcon.iconLocation = "C:\\WINDOWS\\system32\\lib.dll";
    expIcon.iconIndex = 1;
    ShellLinkSpec target;  // no icon location: the target, by link info or environment block
    target.localBasePath = "D:\\";
    target.commonPathSuffix = "app.ICO";
    ShellLinkSpec environment;
    environment.environmentTarget = "D:\\App.ico";
    ShellLinkSpec idList;
    idList.idListSize = 20;
    std::vector<std::string> files = {
        dir.Write(desk + "location.lnk", locationBytes),
        dir.Write(desk + "exp.lnk", BuildShellLink(expIcon)),
        dir.Write(desk + "target.lnk", BuildShellLink(target)),
        dir.Write(desk + "environment.lnk", BuildShellLink(environment)),
        dir.Write(desk + "idlist.lnk", BuildShellLink(idList)),
        dir.Write(desk + "cut.lnk", ByteView(locationBytes).first(0x4C + 10)),
        dir.Write(desk + "site.url",
                  Text("[DEFAULT]\r\nBASEURL=http://x/\r\n[internetshortcut]\r\n"
                       "url=http://x/\r\niconfile=C:\\windows\\system32\\LIB.dll\r\n"
                       "iconindex=0\r\n")),
        dir.Write(desk + "noicon.url", Text("[InternetShortcut]\nURL=http://x/\n")),
        dir.Write(desk + "once.url", Text("[InternetShortcut]\nIconFile=location.lnk\n")),
        dir.Write(desk + "twice.url", Text("[InternetShortcut]\nIconFile=once.url\n")),
        dir.Write(desk + "missing.url", Text("[InternetShortcut]\nIconFile=C:\\nope\\gone.ico\n")),
        dir.Write("outside.url", Text("[InternetShortcut]\nIconFile=C:\\x.ico\n"))};
    std::vector<std::string> args = {"list", "--json"};
    args.insert(args.end(), files.begin(), files.end());
    JsonValue listed = ParseJson(Cli(args).out)["files"];

    // Each file's group as "name size", or its error.
    auto shown = [&](std::size_t i) {
        const JsonValue& entry = listed[i];
        if (entry["icon"].IsNull()) return entry["error"].string;
        std::string text;
        for (const JsonValue& image : entry["icon"]["images"].items)
            text += image["resourceName"].string + " " +
                    std::to_string(int(image["width"].number)) + ";";
        return text;
    };
    std::string system32 = pfx + "dosdevices/c:/Windows/System32/Lib.dll";
    const JsonValue& source = listed[0]["iconSource"];
    EXPECT_EQ(source["windowsPath"].string, "%SystemRoot%\\system32\\lib.DLL");
    EXPECT_EQ(source["path"].string, system32);
    EXPECT_EQ(source["index"].number, -7);
    EXPECT_EQ(shown(0), "#7 48;");
    EXPECT_EQ(shown(1), "#1 32;");
    EXPECT_EQ(listed[1]["iconSource"]["windowsPath"].string, "C:\\WINDOWS\\system32\\lib.dll");
    EXPECT_EQ(shown(2), " 48;");
    EXPECT_EQ(listed[2]["iconSource"]["path"].string, pfx + "dosdevices/d:/App.ico");
    EXPECT_EQ(shown(3), " 48;");
    EXPECT_EQ(shown(4), "the shortcut names its target only by an ID list, which is not read");
    EXPECT_EQ(shown(5), "the file ends inside the icon location string");
    EXPECT_EQ(shown(6), "MAINICON 16;");
    EXPECT_EQ(shown(7), "the internet shortcut names no IconFile");
    EXPECT_EQ(shown(8), "#7 48;");
    EXPECT_EQ(listed[8]["iconSource"]["path"].string, system32);
    EXPECT_EQ(shown(9), "a shortcut to a shortcut to a shortcut is not followed: " +
                            dir.Path().string() + "/" + desk + "location.lnk");
    EXPECT_EQ(shown(10), "icon file not found: C:\\nope\\gone.ico (looked for " + pfx +
                             "dosdevices/c:/nope/gone.ico)");
    EXPECT_EQ(shown(11), "no Wine prefix holds the shortcut, so C:\\x.ico cannot be found");
}
