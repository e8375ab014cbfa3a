#include <gtest/gtest.h>

#include <cstdio>
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
#include "Pillow.h"
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
    EXPECT_EQ(groups[0].keys, (std::vector<std::string>{"resourceName", "md5", "dhash"}));
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
    std::string python = PythonWithPillow();
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
