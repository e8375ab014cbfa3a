#include <gtest/gtest.h>

#include <sstream>

#include "CliRun.h"
#include "IcoBuilder.h"
#include "MiniJson.h"
#include "TempDir.h"
#include "cli/JsonWriter.h"

namespace {

ByteView Text(const std::string& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// A listing line for a file and its groups, given as resource name and dhash ("null" for none).
std::string Line(const std::string& path,
                 const std::vector<std::pair<std::string, std::string>>& groups,
                 const std::string& choice = "pillow") {
    std::string line = "{\"path\": \"" + path + "\", \"icon\": {\"imageCount\": 1, \"groups\": [";
    for (const auto& [name, dhash] : groups) {
        if (line.back() == '}') line += ", ";
        line += "{\"resourceName\": \"" + name + "\", \"md5\": \"0\", \"dhash\": " +
                (dhash == "null" ? dhash : "\"" + dhash + "\"") + ", \"dhashImage\": \"" + choice +
                "\"}";
    }
    return line + "]}}\n";
}

// A group as the tool prints it, through the same writer.
std::string Member(const std::string& path, const std::string& name, const std::string& dhash) {
    std::ostringstream out;
    JsonWriter json(out);
    json.BeginObject();
    json.Key("path");
    json.String(path);
    json.Key("resourceName");
    json.String(name);
    json.Key("dhash");
    json.String(dhash);
    json.EndObject();
    return out.str();
}

const std::string kA = "00000000000000ff", kA1 = "00000000000001ff", kA2 = "00000000000007ff";
const std::string kB = "ff00ff00ff00ff00", kB1 = "ff00ff00ff00ff03", kC = "0f0f0f0f0f0f0f0f";
const std::string kBlank = "0000000000000000", kBlank1 = "0000000000000001";

}  // namespace

TEST(SimilarCommand, ClustersAndQueriesOfAHandMadeListing) {
    TempDir dir;
    // The chain a - a1 - a2 holds at distance 2 though a and a2 are 3 apart; "a" comes twice.
    std::string listing = dir.Write(
        "icons.jsonl",
        Text(Line("/s/one.exe", {{"#1", kA}, {"#2", kB}}) +
             Line("/s/two.exe", {{"MAIN", kA1}, {"#5", kBlank}}) +
             "{\"path\": \"/s/three.exe\", \"icon\": null, \"error\": \"Not an icon source\"}\n" +
             Line("/s/f\\u00e9\\udce9.exe",
                  {{"#1", kA2}, {"#2", kB1}, {"#3", kC}, {"#4", kBlank1}}) +
             Line("/s/five.ico", {{"", kA}})));
    const std::string odd = "/s/f\xC3\xA9\xE9.exe";  // the bytes the escapes stand for

    CliRun run = Cli({"similar", "--clusters", "--max-distance", "2", "--min-bits", "4", listing});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, "{\"size\": 4, \"members\": [" + Member("/s/one.exe", "#1", kA) + ", " +
                           Member("/s/two.exe", "MAIN", kA1) + ", " + Member(odd, "#1", kA2) +
                           ", " + Member("/s/five.ico", "", kA) + "]}\n" +
                           "{\"size\": 2, \"members\": [" + Member("/s/one.exe", "#2", kB) + ", " +
                           Member(odd, "#2", kB1) + "]}\n");
    // Without --min-bits the blank pair joins, after the others; --ignore takes one of them
    // away, and --all shows what stays alone.
    std::string ignore = dir.Write("generic.txt", Text(kBlank + "\n"));
    run =
        Cli({"similar", "--clusters", "--max-distance", "1", "--ignore", ignore, "--all", listing});
    ASSERT_EQ(run.code, 0) << run.err;
    std::vector<std::string> sizes;
    for (std::istringstream lines(run.out); std::getline(lines, sizes.emplace_back());) {
        sizes.back() = std::to_string(ParseJson(sizes.back())["members"].items.size());
    }
    sizes.pop_back();
    EXPECT_EQ(sizes, (std::vector<std::string>{"3", "1", "1", "1", "1", "1"}));

    run = Cli({"similar", "--like", kA, "--like", kC, "--max-distance", "1", listing});
    ASSERT_EQ(run.code, 0) << run.err;
    std::vector<std::string> lines;
    for (std::istringstream out(run.out); std::getline(out, lines.emplace_back());) {
    }
    lines.pop_back();
    ASSERT_EQ(lines.size(), 4u) << run.out;
    JsonValue first = ParseJson(lines[0]);
    EXPECT_EQ(first.keys,
              (std::vector<std::string>{"path", "resourceName", "dhash", "distance", "query"}));
    auto summary = [](const std::string& line) {
        JsonValue match = ParseJson(line);
        return match["path"].string + " " + match["resourceName"].string + " " +
               std::to_string(static_cast<int>(match["distance"].number)) + " " +
               match["query"].string;
    };
    EXPECT_EQ(summary(lines[0]), "/s/one.exe #1 0 " + kA);
    EXPECT_EQ(summary(lines[1]), "/s/f\xC3\xA9\xE9.exe #3 0 " + kC);
    EXPECT_EQ(summary(lines[2]), "/s/five.ico  0 " + kA);
    EXPECT_EQ(summary(lines[3]), "/s/two.exe MAIN 1 " + kA);

    // A file query is listed and hashed as the input was.
    std::string ico = dir.Write("query.ico", BuildIco({EntryFor({32, 32, 8, 0x21, 0, true})}));
    std::string listed =
        dir.Write("query.jsonl", Text(Cli({"list", "--jsonl", "--hash", ico}).out));
    run = Cli({"similar", "--like", ico, "--max-distance", "0", listed});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(ParseJson(run.out)["query"].string, ico);
    EXPECT_EQ(ParseJson(run.out)["distance"].number, 0);
}

TEST(SimilarCommand, BadLinesAreNamedAndSkippedAndFailTheRun) {
    TempDir dir;
    std::string listing = dir.Write(
        "bad.jsonl",
        Text("{\"path\": \"/x.exe\", \"icon\": \n" +
             std::string("{\"path\": \"/y.exe\", \"icon\": {\"imageCount\": 1}}\n") +
             Line("/z.exe", {{"#1", "null"}, {"#2", kA}}) + Line("/w.exe", {{"#7", kA1}})));
    std::string empty = dir.Write("empty.jsonl", Text(""));
    CliRun run = Cli({"similar", "--like", kA, "--like", "00ff", listing, empty});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find(listing + ":1: not a JSON listing entry"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find(listing + ":2: no \"groups\""), std::string::npos) << run.err;
    EXPECT_NE(run.err.find(listing + ":3: group \"#1\" has no dhash"), std::string::npos);
    EXPECT_NE(run.err.find(empty + ": empty input"), std::string::npos);
    EXPECT_NE(run.err.find("00ff: neither a 16-digit hex dhash nor a file with icons"),
              std::string::npos);
    // The sound groups are still searched.
    EXPECT_NE(run.out.find("\"/z.exe\", \"resourceName\": \"#2\""), std::string::npos);
    EXPECT_NE(run.out.find("\"/w.exe\", \"resourceName\": \"#7\""), std::string::npos);

    run = Cli({"similar", "--clusters", "--max-distance", "17", listing});
    EXPECT_EQ(run.code, 2);
    EXPECT_NE(run.err.find("--max-distance 17 is above 16"), std::string::npos) << run.err;
    std::string mixed = dir.Write(
        "mixed.jsonl", Text(Line("/a.exe", {{"#1", kA}}) + Line("/b.exe", {{"#1", kA}}, "cape")));
    run = Cli({"similar", "--clusters", mixed});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("mixes dhashes of --dhash-image pillow and cape"), std::string::npos);
}
