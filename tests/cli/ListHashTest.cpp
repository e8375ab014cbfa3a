#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <random>

#include "ByteBuilder.h"
#include "CliRun.h"
#include "GroupBuilder.h"
#include "IcoBuilder.h"
#include "MiniJson.h"
#include "PeBuilder.h"
#include "PngStreamBuilder.h"
#include "TempDir.h"
#include "hashes/Digest.h"
#include "hashes/GroupFile.h"
#include "icons/IconGroups.h"
#include "icons/LoadIcons.h"

namespace {

std::string Sha256Hex(ByteView bytes) {
    TDigest digest(TDigest::TKind::Sha256);
    digest.Update(bytes);
    return digest.FinalHex();
}

// A bitmap of that layout whose palette and colour rows hold pseudo-random bytes.
ByteString NoisyDib(const DibSpec& layout, unsigned seed) {
    ByteString dib = MakeDib(layout);
    std::mt19937 noise(seed);
    std::size_t maskBytes = static_cast<std::size_t>(DibStride(layout.width, 1) * layout.height);
    for (std::size_t i = 40; i < dib.size() - maskBytes; ++i) {
        dib[i] = static_cast<std::uint8_t>(noise());
    }
    return dib;
}

IcoEntry NoisyEntry(const DibSpec& layout, unsigned seed) {
    IcoEntry entry = EntryFor(layout);
    entry.data = NoisyDib(layout, seed);
    return entry;
}

// The entry claiming 100 bytes more than its data holds.
IcoEntry ClaimingMore(IcoEntry entry) {
    entry.bytesInRes = static_cast<std::uint32_t>(entry.data.size() + 100);
    return entry;
}

IcoEntry NoisyPngEntry(int width, int height, int colorType, int bitDepth) {
    PngSpec stream{width, height, colorType, bitDepth, false, false, {}};
    int levels = colorType == 3 ? 4 : 1 << bitDepth;  // the test palette holds 4 colours
    stream.sample = [levels](int x, int y, int channel) {
        return static_cast<std::uint16_t>((x * 7919 + y * 104729 + channel * 31) % levels);
    };
    IcoEntry entry = PngEntry(MakePngStream(stream), static_cast<std::uint8_t>(width));
    entry.height = static_cast<std::uint8_t>(height);
    return entry;
}

// An interpreter that has these modules, or empty.
std::string PythonWith(const std::string& modules = "PIL") {
    for (const char* python : {"python3", "/usr/bin/python3"}) {
        std::string probe = std::string(python) + " -c 'import " + modules + "' >/dev/null 2>&1";
        if (std::system(probe.c_str()) == 0) return python;
    }
    return {};
}

// Pillow's difference hash of each icon file, computed as malware sandboxes do; "null" where
// Pillow fails.
std::vector<std::string> PillowDifferenceHashes(const std::string& python,
                                                const std::vector<std::string>& files) {
    std::string command = python +
                          " -c '\n"
                          "import sys\n"
                          "from PIL import Image\n"
                          "for path in sys.argv[1:]:\n"
                          "    try:\n"
                          "        im = Image.open(path).convert(\"L\").resize((9, 8), "
                          "Image.LANCZOS)\n"
                          "    except Exception:\n"
                          "        print(\"null\"); continue\n"
                          "    print(\"\".join(\"%02x\" % sum((im.getpixel((c, r)) > "
                          "im.getpixel((c + 1, r))) << c for c in range(8)) for r in "
                          "range(8)))\n' 2>/dev/null";
    for (const std::string& file : files) command += " '" + file + "'";
    std::unique_ptr<FILE, decltype(&pclose)> pipe(popen(command.c_str(), "r"), &pclose);
    std::vector<std::string> hashes;
    char line[64];
    while (pipe && std::fgets(line, sizeof line, pipe.get())) {
        hashes.emplace_back(line, std::strcspn(line, "\n"));
    }
    return hashes;
}

// Per group of each executable, in enumeration order, "NAME DHASH": the dhash Pillow computes on
// the one-image icon file CAPE writes for the group, its entries walked and its resources found
// by pefile, as CAPE does ("null" where Pillow fails).
std::vector<std::string> CapeRuleThroughPillow(const std::string& python,
                                               const std::vector<std::string>& files) {
    std::string command =
        python +
        " -c '\n"
        "import io, struct, sys, pefile\n"
        "from PIL import Image\n"
        "def dhash(data):\n"
        "    try:\n"
        "        im = Image.open(io.BytesIO(data)).convert(\"L\").resize((9, 8), "
        "Image.LANCZOS)\n"
        "    except Exception:\n"
        "        return \"null\"\n"
        "    return \"\".join(\"%02x\" % sum((im.getpixel((c, r)) > "
        "im.getpixel((c + 1, r))) << c for c in range(8)) for r in range(8))\n"
        "def first(entry):\n"
        "    data = entry.directory.entries[0].data.struct\n"
        "    return pe.get_data(data.OffsetToData, data.Size)\n"
        "for path in sys.argv[1:]:\n"
        "    pe = pefile.PE(path, fast_load=True)\n"
        "    pe.parse_data_directories(directories=[2])\n"
        "    types = {t.id: t for t in getattr(pe, \"DIRECTORY_ENTRY_RESOURCE\", "
        "None).entries} if hasattr(pe, \"DIRECTORY_ENTRY_RESOURCE\") else {}\n"
        "    if 14 not in types: continue\n"
        "    icons = {e.id: first(e) for e in types[3].directory.entries} if 3 in "
        "types else {}\n"
        "    for group in types[14].directory.entries:\n"
        "        data = first(group)\n"
        "        best, chosen = (0, 0, 0), None\n"
        "        for i in range(struct.unpack_from(\"<H\", data, 4)[0]):\n"
        "            entry = data[6 + 14 * i:20 + 14 * i]\n"
        "            w, h, bits, nid = entry[0], entry[1], "
        "struct.unpack_from(\"<H\", entry, 6)[0], struct.unpack_from(\"<H\", "
        "entry, 12)[0]\n"
        "            if w >= best[0] and h >= best[1] and bits >= best[2]:\n"
        "                best, chosen = (w, h, bits), (entry[:12], nid)\n"
        "        name = str(group.name) if group.name else \"#%d\" % group.id\n"
        "        ico = struct.pack(\"<HHH\", 0, 1, 1) + chosen[0] + "
        "struct.pack(\"<I\", 22) + icons.get(chosen[1], b\"\")\n"
        "        print(name, dhash(ico))\n' 2>/dev/null";
    for (const std::string& file : files) command += " '" + file + "'";
    std::unique_ptr<FILE, decltype(&pclose)> pipe(popen(command.c_str(), "r"), &pclose);
    std::vector<std::string> lines;
    char line[512];
    while (pipe && std::fgets(line, sizeof line, pipe.get())) {
        lines.emplace_back(line, std::strcspn(line, "\n"));
    }
    return lines;
}

// The "dhash" of every group of every file listed, in order.
std::vector<std::string> ListedDifferenceHashes(const std::vector<std::string>& args) {
    JsonValue doc = ParseJson(Cli(args).out);
    std::vector<std::string> hashes;
    for (const JsonValue& file : doc["files"].items) {
        for (const JsonValue& group : file["icon"]["groups"].items) {
            hashes.push_back(group["dhash"].IsNull() ? "null" : group["dhash"].string);
        }
    }
    return hashes;
}

}  // namespace

TEST(ListHash, GroupMd5IsTheGroupAsAStandaloneIcoAndImagesAndFileCarryTheirDigests) {
    TempDir dir;
    DibSpec small{16, 16, 4, 0x12, 0, true};
    DibSpec large{32, 32, 8, 0x34, 0, true};
    ByteString first = NoisyDib(small, 1);
    ByteString second = NoisyDib(large, 2);
    // A bit count of 0 that the reader derives from the colour count, and a size claimed
    // larger than the resource holds: the digest takes the entry as stored and the bytes there.
    GroupEntry derived = GroupEntryFor(small, 7);
    derived.bitCount = 0;
    derived.planes = 0;
    GroupEntry claimed = GroupEntryFor(large, 8);
    claimed.bytesInRes += 100;
    ByteString group = BuildIconGroup({derived, claimed});
    ByteString other = BuildIconGroup({GroupEntryFor(small, 7)});
    ByteString cursor = NoisyDib({32, 32, 1, 0, 0, true}, 3);
    // Named groups come first in a resource directory, as resource compilers sort them.
    ByteString pe = PeBuilder()
                        .Icon(7, first)
                        .Icon(8, second)
                        .Group({0, "MAIN"}, group)
                        .Group({2, std::nullopt}, other)
                        .Cursor(9, 1, 2, cursor)
                        .CursorGroup({5, std::nullopt},
                                     BuildCursorGroup({CursorEntryFor({32, 32, 1, 0, 0, true}, 9)}))
                        .Build();
    std::string exe = dir.Write("app.exe", pe);

    ByteBuilder ico;
    ico.Bytes(ByteView(group).first(6));
    ico.Bytes(ByteView(group).subspan(6, 12)).U32(6 + 2 * 16);
    ico.Bytes(ByteView(group).subspan(20, 12))
        .U32(static_cast<std::uint32_t>(6 + 2 * 16 + first.size()));
    ico.Bytes(first).Bytes(second);

    CliRun run = Cli({"list", "--json", "--hash", "--cursors", exe});
    ASSERT_EQ(run.code, 0) << run.err;
    JsonValue doc = ParseJson(run.out);
    const JsonValue& entry = doc["files"][0];
    EXPECT_EQ(entry.keys, (std::vector<std::string>{"path", "sha256", "icon"}));
    EXPECT_EQ(entry["sha256"].string, Sha256Hex(pe));
    const JsonValue& groups = entry["icon"]["groups"];
    ASSERT_EQ(groups.items.size(), 3u);
    // The first group is the main icon.
    EXPECT_EQ(groups[0].keys,
              (std::vector<std::string>{"resourceName", "md5", "dhash", "dhashImage"}));
    EXPECT_EQ(groups[0]["dhashImage"].string, "pillow");
    EXPECT_EQ(groups[0]["resourceName"].string, "MAIN");
    EXPECT_EQ(groups[0]["md5"].string, Md5Hex(ico.Bytes()));
    EXPECT_EQ(groups[1]["resourceName"].string, "#2");
    EXPECT_EQ(groups[2]["resourceName"].string, "Cursor #5");
    // Pillow fails on "MAIN": the mask of its largest image is looked for where the claimed
    // size ends, past the end of the file.
    EXPECT_TRUE(groups[0]["dhash"].IsNull());
    EXPECT_EQ(groups[1]["dhash"].string.size(), 16u);
    EXPECT_EQ(groups[2]["dhash"].string.size(), 16u);
    const JsonValue& images = entry["icon"]["images"];
    EXPECT_EQ(images[0]["md5"].string, Md5Hex(first));
    EXPECT_EQ(images[1]["md5"].string, Md5Hex(second));

    // An icon file is one group, the file itself when its images follow the directory.
    std::string file = dir.Write("one.ico", ico.Bytes());
    JsonValue one = ParseJson(Cli({"list", "--json", "--hash", file}).out);
    const JsonValue& single = one["files"][0];
    ASSERT_EQ(single["icon"]["groups"].items.size(), 1u);
    EXPECT_EQ(single["icon"]["groups"][0]["md5"].string, Md5Hex(ico.Bytes()));
    EXPECT_EQ(single["sha256"].string, Sha256Hex(ico.Bytes()));
}

TEST(ListHash, DifferenceHashEqualsPillowsOnBuiltAndRealGroups) {
    std::string python = PythonWith();
    if (python.empty()) GTEST_SKIP() << "Pillow (python3-pil) is not installed";
    TempDir dir;
    std::vector<std::vector<IcoEntry>> icons = {
        // The largest area wins, then the deepest, a full tie going to the last entry.
        {NoisyEntry({32, 32, 4, 0, 0, true}, 1), NoisyEntry({32, 32, 8, 0, 0, true}, 2),
         NoisyEntry({16, 16, 24, 0, 0, true}, 3)},
        {NoisyEntry({16, 16, 8, 0, 0, true}, 4), NoisyEntry({16, 16, 8, 0, 0, true}, 5)},
        {NoisyEntry({16, 16, 4, 0, 0, true}, 11),
         ClaimingMore(NoisyEntry({32, 32, 8, 0, 0, true}, 12))},
        {NoisyEntry({48, 48, 32, 0, 0, true}, 6)},
        {NoisyEntry({32, 32, 1, 0, 0, true}, 7)},
        {NoisyEntry({9, 8, 24, 0, 0, true}, 8)},
        {NoisyEntry({9, 20, 24, 0, 0, true}, 9)},
        {NoisyEntry({20, 20, 16, 0, 0, true}, 10)},
        {NoisyPngEntry(40, 40, 3, 8)},
        {NoisyPngEntry(20, 24, 2, 16)},
        {NoisyPngEntry(30, 30, 0, 4)},
        {NoisyPngEntry(64, 64, 4, 8)},
        // A 256-pixel entry first and last: Pillow takes it either way.
        {NoisyPngEntry(256, 256, 6, 8), NoisyEntry({48, 48, 32, 0, 0, true}, 13)},
        {NoisyEntry({48, 48, 32, 0, 0, true}, 14), NoisyPngEntry(256, 256, 6, 8)},
    };
    std::vector<std::string> files;
    for (std::size_t i = 0; i < icons.size(); ++i) {
        files.push_back(dir.Write("icon" + std::to_string(i) + ".ico", BuildIco(icons[i])));
    }
    // Groups of real executables, icons and cursors, written out as the listing hashes them.
    const std::filesystem::path wine = "/usr/lib/x86_64-linux-gnu/wine/x86_64-windows";
    std::vector<std::string> executables;
    for (const char* name : {"user32.dll", "comctl32.dll"}) {
        if (std::filesystem::exists(wine / name)) executables.push_back(wine / name);
    }
    for (const std::string& executable : executables) {
        TLoadOptions cursors{true, false};
        auto icon = LoadIconsFromFile(executable, cursors);
        ASSERT_TRUE(icon) << executable;
        for (const TIconGroup& group : IconGroupsOf(*icon)) {
            files.push_back(
                dir.Write("group" + std::to_string(files.size()) + ".ico", GroupFileBytes(group)));
        }
    }
    std::vector<std::string> args{"list", "--json", "--hash", "--cursors"};
    args.insert(args.end(), files.begin(), files.begin() + static_cast<long>(icons.size()));
    args.insert(args.end(), executables.begin(), executables.end());
    std::vector<std::string> listed = ListedDifferenceHashes(args);
    ASSERT_EQ(listed.size(), files.size());
    EXPECT_EQ(listed, PillowDifferenceHashes(python, files));
    if (executables.empty()) GTEST_SKIP() << "Wine's DLLs are not installed; built icons only";
}

TEST(ListHash, CapeChoiceEqualsPillowOnTheOneImageIcoOfCapesRule) {
    std::string python = PythonWith("PIL, pefile");
    if (python.empty())
        GTEST_SKIP() << "Pillow (python3-pil) or pefile (python3-pefile) is missing";
    // CAPE keeps an entry no smaller in raw width, raw height and bit count: where the
    // 256-pixel entry (stored width 0) comes first it gives way to the 48-pixel one, where it
    // comes last the 32-pixel 32-bit one keeps it out; Pillow takes it in both.
    std::vector<std::vector<IcoEntry>> groups = {
        {NoisyPngEntry(256, 256, 6, 8), NoisyEntry({48, 48, 32, 0, 0, true}, 1),
         NoisyEntry({32, 32, 8, 0, 0, true}, 2), NoisyEntry({16, 16, 32, 0, 0, true}, 3)},
        {NoisyEntry({16, 16, 4, 0, 0, true}, 4), NoisyEntry({32, 32, 32, 0, 0, true}, 5),
         NoisyEntry({48, 48, 8, 0, 0, true}, 6), NoisyPngEntry(256, 256, 6, 8)},
    };
    PeBuilder pe;
    std::uint16_t id = 1;
    for (std::size_t g = 0; g < groups.size(); ++g) {
        std::vector<GroupEntry> entries;
        for (const IcoEntry& image : groups[g]) {
            pe.Icon(id, image.data);
            entries.push_back({image.width, image.height, image.colorCount, image.planes,
                               image.bitCount, static_cast<std::uint32_t>(image.data.size()),
                               id++});
        }
        pe.Group({static_cast<std::uint16_t>(g + 1), std::nullopt}, BuildIconGroup(entries));
    }
    TempDir dir;
    std::vector<std::string> files{dir.Write("built.exe", pe.Build())};
    const std::filesystem::path wine = "/usr/lib/x86_64-linux-gnu/wine/x86_64-windows";
    if (std::filesystem::is_directory(wine)) {
        JsonValue listed = ParseJson(Cli({"list", "--json", "--hash", wine.string()}).out);
        for (const JsonValue& file : listed["files"].items) {
            if (!file["icon"].IsNull() && !file["icon"]["groups"].items.empty()) {
                files.push_back(file["path"].string);
            }
        }
    }
    std::vector<std::string> args{"list", "--json", "--hash", "--dhash-image", "cape"};
    args.insert(args.end(), files.begin(), files.end());
    JsonValue doc = ParseJson(Cli(args).out);
    std::vector<std::string> ours;
    for (const JsonValue& file : doc["files"].items) {
        for (const JsonValue& group : file["icon"]["groups"].items) {
            EXPECT_EQ(group["dhashImage"].string, "cape");
            ours.push_back(group["resourceName"].string + " " +
                           (group["dhash"].IsNull() ? "null" : group["dhash"].string));
        }
    }
    EXPECT_EQ(ours, CapeRuleThroughPillow(python, files));
    // The built groups' choices differ from Pillow's, so their hashes do too.
    std::vector<std::string> pillow =
        ListedDifferenceHashes({"list", "--json", "--hash", files[0]});
    ASSERT_EQ(pillow.size(), 2u);
    EXPECT_NE("#1 " + pillow[0], ours[0]);
    EXPECT_NE("#2 " + pillow[1], ours[1]);
    std::printf("CAPE's rule through Pillow: %zu groups of %zu files equal\n", ours.size(),
                files.size());
}
