#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>

#include "CliRun.h"
#include "GroupBuilder.h"
#include "IcoBuilder.h"
#include "MiniJson.h"
#include "NeBuilder.h"
#include "PeBuilder.h"
#include "TempDir.h"

TEST(ListCommand, JsonDocumentHoldsEveryFileInOrderAndWhyOneHasNoIcon) {
    TempDir dir;
    ByteString goodBytes =
        BuildIco({EntryFor({16, 16, 4, 1, 0, true}), EntryFor({48, 48, 32, 1, 0, true})});
    std::string good = dir.Write("two.ico", goodBytes);
    std::string missing = dir.Path().string() + "/gone.ico";
    std::string empty = dir.Write("empty.ico", ByteString{});
    std::string cut = dir.Write("cut.ico", ByteString{0, 0, 1, 0, 1, 0, 16});
    std::string text = dir.Write("notes.txt", ByteString{'h', 'i'});
    // Cut 5 bytes into the second directory entry: the first entry is kept, its data lost.
    std::string lost = dir.Write("lost.ico", ByteString(goodBytes.begin(), goodBytes.begin() + 27));
    CliRun run = Cli({"list", "--json", good, missing, empty, cut, text, lost});
    // A missing file is named on stderr and fails the run; every other file is still listed.
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, "marrowby2-cli: " + missing + ": No such file or directory\n");

    JsonValue doc = ParseJson(run.out);
    const JsonValue& files = doc["files"];
    ASSERT_EQ(files.items.size(), 6u);
    EXPECT_EQ(files[0]["path"].string, good);
    const JsonValue& icon = files[0]["icon"];
    EXPECT_EQ(icon.keys,
              (std::vector<std::string>{"imageCount", "maxWidth", "maxHeight", "images"}));
    EXPECT_EQ(icon["imageCount"].number, 2);
    EXPECT_EQ(icon["maxWidth"].number, 48);
    const JsonValue& image = icon["images"][1];
    EXPECT_EQ(image.keys, (std::vector<std::string>{"resourceName", "width", "height", "colorCount",
                                                    "planes", "bitCount", "bytesInRes",
                                                    "imageOffset", "hasPalette", "isSystemIcon"}));
    EXPECT_EQ(image["resourceName"].string, "");
    EXPECT_EQ(image["bitCount"].number, 32);
    EXPECT_EQ(image["bytesInRes"].number, 40 + 48 * 48 * 4 + 48 * 8);
    EXPECT_EQ(image["imageOffset"].number, 6 + 2 * 16 + 40 + 16 * 4 + 16 * 8 + 16 * 4);
    EXPECT_FALSE(image["hasPalette"].boolean);
    EXPECT_TRUE(icon["images"][0]["hasPalette"].boolean);
    EXPECT_TRUE(files[1]["icon"].IsNull());
    EXPECT_EQ(files[1]["error"].string, "No such file or directory");
    EXPECT_TRUE(files[2]["icon"].IsNull());  // an empty file starts no icon source
    EXPECT_EQ(files[2]["error"].string, "Not an icon source");
    EXPECT_EQ(files[0].members.count("error"), 0u);  // an entry with an icon has no error key
    EXPECT_TRUE(files[3]["icon"].IsNull());
    EXPECT_EQ(files[3]["error"].string, "the file ends 7 bytes into the icon directory");
    EXPECT_EQ(files[4]["error"].string, "Not an icon source");
    // A damaged image, and a file that lost whole entries, say why; sound ones carry no key.
    EXPECT_EQ(files[0].members.count("damaged"), 0u);
    EXPECT_EQ(files[5].keys, (std::vector<std::string>{"path", "icon", "damaged"}));
    EXPECT_EQ(files[5]["damaged"].string, "the file ends 27 bytes into the icon directory");
    const JsonValue& damaged = files[5]["icon"]["images"][0];
    EXPECT_EQ(damaged.keys.back(), "damaged");
    EXPECT_EQ(damaged["damaged"].string, "the file ends before the image data");
    EXPECT_EQ(damaged["width"].number, 16);

    // The text listing leaves the missing file to the stderr line and says why a file gives
    // no icons; control characters in names are written as \xHH.
    PeBuilder pe;
    pe.Icon(1, MakeDib({16, 16, 4, 1, 0, true}));
    pe.Group({0, "TAB\tBELL\x07"}, BuildIconGroup({GroupEntryFor({16, 16, 4, 1, 0, true}, 1)}));
    std::string named = dir.Write("named.dll", pe.Build());
    CliRun lines = Cli({"list", missing, good, cut, named});
    EXPECT_EQ(lines.code, 1);
    EXPECT_EQ(lines.out, good + "  -  16 x 16  4 bpp\n" + good + "  -  48 x 48  32 bpp\n" + cut +
                             ": no icons: the file ends 7 bytes into the icon directory\n" + named +
                             "  TAB\\x09BELL\\x07  16 x 16  4 bpp\n");
    EXPECT_EQ(lines.err, run.err);
}

// A cut executable whose only icon group is lost lists the icon images as loose images named
// after their resource ids, sized by their own headers, the file carrying the group's damage;
// they belong to no group, and export writes them.
TEST(ListCommand, ACutExecutableKeepsTheImagesOfItsLostGroupLoose) {
    TempDir dir;
    const DibSpec small{16, 16, 4, 1, 0, true}, large{32, 32, 8, 2, 0, true};
    PeBuilder pe;  // the group's data comes last in the file
    pe.Icon(1, MakeDib(small)).Icon(2, MakeDib(large));
    pe.Group({1, {}}, BuildIconGroup({GroupEntryFor(small, 1), GroupEntryFor(large, 2)}));
    ByteString bytes = pe.Build();
    bytes.resize(bytes.size() - 20);
    std::string cut = dir.Write("cut.exe", bytes);

    CliRun run = Cli({"list", "--json", "--hash", cut});
    EXPECT_EQ(run.code, 0) << run.err;
    JsonValue file = ParseJson(run.out)["files"][0];
    EXPECT_EQ(file["damaged"].string, "the file ends 16 bytes into icon group #1");
    const JsonValue& images = file["icon"]["images"];
    ASSERT_EQ(images.items.size(), 2u);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(images[i]["resourceName"].string, "#" + std::to_string(i + 1));
        EXPECT_TRUE(images[i]["loose"].boolean);
        EXPECT_EQ(images[i]["width"].number, i == 0 ? 16 : 32);
        EXPECT_EQ(images[i]["bitCount"].number, i == 0 ? 4 : 8);
        EXPECT_EQ(images[i].members.count("damaged"), 0u);
    }
    EXPECT_TRUE(file["icon"]["groups"].items.empty());

    std::string out = dir.Path().string() + "/out";
    EXPECT_EQ(Cli({"export", "-o", out, cut}).code, 0);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(out),
                            std::filesystem::directory_iterator()),
              2);
}

TEST(ListCommand, TextLinesAndUsageErrors) {
    TempDir dir;
    std::string good = dir.Write("one.ico", BuildIco({EntryFor({32, 32, 8, 1, 0, true})}));
    CliRun text = Cli({"list", good});
    EXPECT_EQ(text.code, 0);
    EXPECT_EQ(text.out, good + "  -  32 x 32  8 bpp\n");

    for (const auto& args : std::vector<std::vector<std::string>>{
             {}, {"list"}, {"list", "--json"}, {"list", "--bogus", good}, {"frobnicate"}}) {
        CliRun bad = Cli(args);
        EXPECT_EQ(bad.code, 2);
        EXPECT_TRUE(bad.out.empty());
        EXPECT_NE(bad.err.find("--help"), std::string::npos);
    }
}

TEST(ListCommand, JsonGivesBytesThatAreNotUtf8BackAsPythonsSurrogateEscapes) {
    TempDir dir;
    ByteString ico = BuildIco({EntryFor({16, 16, 4, 1, 0, true})});
    std::string latin1 = dir.Write("caf\xE9.ico", ico);    // not UTF-8: one Latin-1 byte
    std::string utf8 = dir.Write("caf\xC3\xA9.ico", ico);  // the same name in UTF-8
    std::string broken = dir.Write("x\xE2\x82.ico", ico);  // a sequence cut short
    // An icon library whose group name is 8-bit text that is not UTF-8.
    const DibSpec small{16, 16, 4}, large{32, 32, 4};
    NeBuilder icl;
    icl.types = {{kNeIconType, {{1, {}, MakeDib(small), {}, {}}, {2, {}, MakeDib(large), {}, {}}}},
                 {kNeGroupType,
                  {{10, {}, BuildIconGroup({GroupEntryFor(small, 1)}), {}, {}},
                   {11, {}, BuildIconGroup({GroupEntryFor(large, 2)}), {}, {}}}}};
    icl.names = {"ICL", "Caf\xE9", "Other"};
    std::string library = dir.Write("lib.icl", icl.Build());
    CliRun run = Cli({"list", "--jsonl", latin1, utf8, broken, library});
    ASSERT_EQ(run.code, 0);
    EXPECT_NE(run.out.find("caf\\udce9.ico"), std::string::npos);
    EXPECT_NE(run.out.find("caf\xC3\xA9.ico"), std::string::npos);
    EXPECT_NE(run.out.find("x\\udce2\\udc82.ico"), std::string::npos);
    EXPECT_NE(run.out.find("\"resourceName\": \"Caf\\udce9\""), std::string::npos);
    EXPECT_EQ(run.out.find("\xE9"), std::string::npos);

    // Python reads each path and name back to the very bytes.
    std::string lines = dir.Write("list.jsonl", ByteString(run.out.begin(), run.out.end()));
    std::string command =
        "python3 -c 'import json, os, sys\n"
        "for line in open(sys.argv[1]):\n"
        "    entry = json.loads(line)\n"
        "    print(os.fsencode(entry[\"path\"]).hex())\n"
        "print(os.fsencode(entry[\"icon\"][\"images\"][0][\"resourceName\"])"
        ".hex())' " +
        lines;
    std::unique_ptr<FILE, decltype(&pclose)> pipe(popen(command.c_str(), "r"), &pclose);
    std::string hex;
    for (char line[256]; pipe && std::fgets(line, sizeof line, pipe.get());) hex += line;
    auto hexOf = [](const std::string& bytes) {
        std::string out;
        for (unsigned char byte : bytes)
            out += "0123456789abcdef"[byte >> 4], out += "0123456789abcdef"[byte & 15];
        return out + "\n";
    };
    EXPECT_EQ(hex, hexOf(latin1) + hexOf(utf8) + hexOf(broken) + hexOf(library) + hexOf("Caf\xE9"));

    // --group takes the name's bytes, or the name as the text listing shows it.
    for (const std::string& name : {std::string("CAF\xE9"), std::string("caf\xC3\xA9")}) {
        CliRun chosen = Cli({"list", "--json", "--group", name, library});
        EXPECT_EQ(chosen.code, 0) << chosen.err;
        EXPECT_EQ(ParseJson(chosen.out)["files"][0]["icon"]["imageCount"].number, 1);
    }
}
