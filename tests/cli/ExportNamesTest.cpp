#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "GroupBuilder.h"
#include "IcoBuilder.h"
#include "MiniJson.h"
#include "NeBuilder.h"
#include "TempDir.h"
#include "cli/CliMain.h"

namespace {

int Cli(const std::vector<std::string>& args, std::string* out = nullptr) {
    std::ostringstream printed, err;
    int code = RunCli(args, printed, err);
    EXPECT_TRUE(err.str().empty()) << err.str();
    if (out) *out = printed.str();
    return code;
}

// Whether text is a sequence of well-formed UTF-8 characters.
bool IsUtf8(const std::string& text) {
    for (std::size_t i = 0; i < text.size();) {
        auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = lead < 0x80    ? 1
                             : lead >= 0xF0 ? 4
                             : lead >= 0xE0 ? 3
                             : lead >= 0xC2 ? 2
                                            : 0;
        if (length == 0 || i + length > text.size()) return false;
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
        }
        i += length;
    }
    return true;
}

}  // namespace

TEST(ExportNames, EightBitAndOverlongNamesGiveValidShortFileNames) {
    // An icon library whose group names are Windows-1252 text: "Café" with an undefined byte
    // and the euro sign, and a damaged 255-byte name of curly quotes (three UTF-8 bytes each).
    const DibSpec small{16, 16, 4}, large{32, 32, 4};
    NeBuilder icl;
    icl.types = {
        {kNeIconType, {{1, {}, MakeDib(small), {}, {}}, {2, {}, MakeDib(large), {}, {}}}},
        {kNeGroupType,
         {{10, {}, BuildIconGroup({GroupEntryFor(small, 1), GroupEntryFor(large, 2)}), {}, {}},
          {11, {}, BuildIconGroup({GroupEntryFor(large, 2)}), {}, {}}}}};
    icl.names = {"ICL", "Caf\xE9\x81\x80", std::string(255, '\x93')};
    TempDir dir;
    std::string library = dir.Write("lib.icl", icl.Build());

    std::string json;
    EXPECT_EQ(Cli({"list", "--json", library}, &json), 0);
    const JsonValue doc = ParseJson(json);
    const JsonValue& images = doc["files"][0]["icon"]["images"];
    // The listing keeps the stored bytes; file names read them as Windows-1252.
    EXPECT_EQ(images[0]["resourceName"].string, "Caf\xE9\x81\x80");
    EXPECT_EQ(images[2]["resourceName"].string, std::string(255, '\x93'));

    // Twice into one folder, so the second run adds collision suffixes.
    std::string out = (dir.Path() / "out").string();
    for (int run = 0; run < 2; ++run) EXPECT_EQ(Cli({"export", "-o", out, library}), 0);
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(out))
        names.push_back(entry.path().filename().string());
    ASSERT_EQ(names.size(), 6u);
    int suffixed = 0;
    for (const std::string& name : names) {
        EXPECT_TRUE(IsUtf8(name)) << name;
        EXPECT_LE(name.size(), 255u) << name;
        EXPECT_EQ(name.rfind("lib_", 0), 0u) << name;
        EXPECT_EQ(name.substr(name.size() - 4), ".png");
        bool sized =
            name.find("_16x16") != std::string::npos || name.find("_32x32") != std::string::npos;
        EXPECT_TRUE(sized) << name;
        suffixed += name.find("_(2).png") != std::string::npos;
    }
    EXPECT_EQ(suffixed, 3);
}
