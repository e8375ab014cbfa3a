#include <gtest/gtest.h>

#include <sstream>

#include "IcoBuilder.h"
#include "MiniJson.h"
#include "TempDir.h"
#include "cli/CliMain.h"

namespace {

struct CliRun {
    int code;
    std::string out;
    std::string err;
};

CliRun Cli(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    int code = RunCli(args, out, err);
    return {code, out.str(), err.str()};
}

}  // namespace

TEST(ListCommand, JsonDocumentHoldsEveryFileInOrderWithStableKeys) {
    TempDir dir;
    std::string good = dir.Write("two.ico", BuildIco({EntryFor({16, 16, 4, 1, 0, true}),
                                                      EntryFor({48, 48, 32, 1, 0, true})}));
    std::string missing = dir.Path().string() + "/gone.ico";
    std::string empty = dir.Write("empty.ico", ByteString{});
    CliRun run = Cli({"list", "--json", good, missing, empty});
    ASSERT_EQ(run.code, 0) << run.err;

    JsonValue doc = ParseJson(run.out);
    const JsonValue& files = doc["files"];
    ASSERT_EQ(files.items.size(), 3u);
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
    EXPECT_EQ(files[2]["icon"]["imageCount"].number, 0);
    EXPECT_TRUE(files[2]["icon"]["images"].items.empty());
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

TEST(ListCommand, JsonIsValidUtf8WhateverBytesThePathsHold) {
    TempDir dir;
    ByteString ico = BuildIco({EntryFor({16, 16, 4, 1, 0, true})});
    std::string latin1 = dir.Write("caf\xE9.ico", ico);    // not UTF-8: one Latin-1 byte
    std::string utf8 = dir.Write("caf\xC3\xA9.ico", ico);  // the same name in UTF-8
    std::string broken = dir.Write("x\xE2\x82.ico", ico);  // a sequence cut short
    CliRun run = Cli({"list", "--json", latin1, utf8, broken});
    ASSERT_EQ(run.code, 0);
    EXPECT_NE(run.out.find("caf\\u00e9.ico"), std::string::npos);
    EXPECT_NE(run.out.find("caf\xC3\xA9.ico"), std::string::npos);
    EXPECT_NE(run.out.find("x\\u00e2\\u0082.ico"), std::string::npos);
    EXPECT_EQ(run.out.find("\xE9.ico"), std::string::npos);
    JsonValue doc = ParseJson(run.out);
    EXPECT_EQ(doc["files"][0]["path"].string, latin1);  // each escape stands for its byte
    EXPECT_EQ(doc["files"][1]["path"].string, utf8);
}
