// Writes the fuzzers' seed corpora, one folder per fuzzer, from the test builders' files.
#include <filesystem>
#include <fstream>
#include <iostream>

#include "AniBuilder.h"
#include "GroupBuilder.h"
#include "IcoBuilder.h"
#include "NeBuilder.h"
#include "PeBuilder.h"
#include "PngStreamBuilder.h"
#include "ShellLinkBuilder.h"
#include "WixlPackage.h"

namespace fs = std::filesystem;

namespace {

const DibSpec k16x4{16, 16, 4, 0x21, 0x00, true};
const DibSpec k32x32{32, 32, 32, 0x80, 0x00, true};

ByteString Pe(bool pe32Plus) {
    PeBuilder pe(pe32Plus);
    pe.Icon(1, MakeDib(k16x4)).Icon(2, MakeDib(k32x32));
    pe.Group({0, "MAIN"}, BuildIconGroup({GroupEntryFor(k16x4, 1), GroupEntryFor(k32x32, 2)}));
    pe.Group({7, {}}, BuildIconGroup({GroupEntryFor(k16x4, 1)}));
    pe.Cursor(3, 4, 4, MakeDib(k16x4));
    pe.CursorGroup({0, "HAND"}, BuildCursorGroup({CursorEntryFor(k16x4, 3)}));
    return pe.Build();
}

ByteString Ne(bool library) {
    NeBuilder ne;
    ne.types = {{kNeIconType, {{1, {}, MakeDib(k16x4), {}, {}}, {2, {}, MakeDib(k32x32), {}, {}}}},
                {kNeGroupType,
                 {{1, {}, BuildIconGroup({GroupEntryFor(k16x4, 1)}), {}, {}},
                  {0, "APP", BuildIconGroup({GroupEntryFor(k32x32, 2)}), {}, {}}}}};
    if (library) ne.names = {"ICL", "ONE", "TWO"};
    return ne.Build();
}

ByteString Ico() {
    return BuildIco({EntryFor(k16x4), EntryFor(k32x32)});
}

// A 32 x 32 picture with a transparent corner, as a PNG stream.
ByteString Png() {
    return MakePngStream({32, 32, 6, 8, false, false, [](int x, int y, int channel) {
                              return static_cast<std::uint16_t>(channel == 3 && x + y < 8 ? 0
                                                                                          : x * y);
                          }});
}

// An icon of the Vista layout: a bitmap format next to a PNG-stored one.
ByteString VistaIco() {
    IcoEntry png;
    png.width = png.height = 32;
    png.bitCount = 32;
    png.data = Png();
    return BuildIco({EntryFor(k16x4), png});
}

ByteString Ani() {
    return BuildAni({AniHeaderChunk(1, 2), RiffChunk("rate", ByteString(8, 1)),
                     FrameList({Ico(), BuildIco({EntryFor(k16x4)})})});
}

void Write(const fs::path& file, const ByteString& bytes) {
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

ByteString Prefixed(std::uint8_t extension, const ByteString& bytes) {
    ByteString out{extension};
    out.insert(out.end(), bytes.begin(), bytes.end());
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_fuzz_seeds FOLDER\n";
        return 2;
    }
    fs::path root = argv[1];
    for (const char* name : {"pe", "ne", "ani", "ico", "png", "loadicons", "shortcut", "msi"}) {
        fs::create_directories(root / name);
    }
    Write(root / "pe" / "pe32", Pe(false));
    Write(root / "pe" / "pe32plus", Pe(true));
    Write(root / "pe" / "ne", Ne(false));
    Write(root / "ne" / "exe", Ne(false));
    Write(root / "ne" / "icl", Ne(true));
    Write(root / "ani" / "frames", Ani());
    Write(root / "ico" / "two", Ico());
    Write(root / "ico" / "vista", VistaIco());
    // The png fuzzer's first byte is the entry size; the signature is added by the fuzzer.
    ByteString png = Png();
    png[7] = 32;
    Write(root / "png" / "rgba32", ByteString(png.begin() + 7, png.end()));
    // The first byte picks the extension: 0 .ico, 2 .ani, 3 .dll, 4 .exe, 5 .icl.
    Write(root / "loadicons" / "ico", Prefixed(0, Ico()));
    Write(root / "loadicons" / "vista", Prefixed(0, VistaIco()));
    Write(root / "loadicons" / "ani", Prefixed(2, Ani()));
    Write(root / "loadicons" / "dll", Prefixed(3, Pe(true)));
    Write(root / "loadicons" / "exe", Prefixed(4, Ne(false)));
    Write(root / "loadicons" / "icl", Prefixed(5, Ne(true)));
    ShellLinkSpec link;
    link.localBasePath = "C:\\Windows\\";
    link.commonPathSuffix = "notepad.exe";
    link.iconLocation = "%SystemRoot%\\system32\\shell32.dll";
    link.environmentTarget = link.iconEnvironment = "%windir%\\notepad.exe";
    link.iconIndex = -101;
    Write(root / "shortcut" / "lnk", BuildShellLink(link));
    std::string url =
        "[DEFAULT]\nBASEURL=x\n[InternetShortcut]\nIconFile=C:\\a.ico\nIconIndex=-3\n";
    Write(root / "shortcut" / "url", ByteString(url.begin(), url.end()));
    // The test's package shape, when wixl is there to build it.
    TempDir dir;
    std::string msi = BuildMsiWithWixl(dir, {{"app.ico", Ico()}, {"setup.exe", Pe(false)}},
                                       {{"banner", VistaIco()}}, "app.ico");
    if (!msi.empty())
        fs::copy_file(msi, root / "msi" / "package", fs::copy_options::overwrite_existing);
    return 0;
}
