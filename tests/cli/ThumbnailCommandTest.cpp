#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "AniBuilder.h"
#include "CliRun.h"
#include "GroupBuilder.h"
#include "IcoBuilder.h"
#include "MiniJson.h"
#include "PeBuilder.h"
#include "PngDecoder.h"
#include "TempDir.h"

namespace {

// Opaque in one colour, so each image is told by its first pixel.
DibSpec Solid(int size, int bitCount, std::uint8_t fill) {
    return {size, size, bitCount, fill, 0x00, true};
}

}  // namespace

TEST(ThumbnailCommand, WritesTheFileIconOfEachKindOrNothing) {
    TempDir in, out;
    // The first group holds 16 and 48 pixels; the second's 64 would suit -s 64 better but is
    // another icon.
    const DibSpec small = Solid(16, 24, 0x10), large = Solid(48, 24, 0x30),
                  other = Solid(64, 24, 0x40);
    PeBuilder pe;
    pe.Icon(1, MakeDib(small)).Icon(2, MakeDib(large)).Icon(3, MakeDib(other));
    pe.Group({1, {}}, BuildIconGroup({GroupEntryFor(small, 1), GroupEntryFor(large, 2)}));
    pe.Group({2, {}}, BuildIconGroup({GroupEntryFor(other, 3)}));
    std::string exe = in.Write("app.exe", pe.Build());
    std::string png = (out.Path() / "app.png").string();
    ASSERT_EQ(Cli({"thumbnail", "-s", "64", exe, png}).code, 0);
    DecodedPngFile file = ReadPngFile(png);
    EXPECT_EQ(file.width, 48u);  // the largest of the first icon, not scaled up
    EXPECT_EQ(file.Pixel(0, 0), (std::vector<std::uint8_t>{0x30, 0x30, 0x30, 255}));
    ASSERT_EQ(Cli({"thumbnail", exe, png}).code, 0);  // 256 by default
    EXPECT_EQ(ReadPngFile(png).width, 48u);
    ASSERT_EQ(Cli({"thumbnail", "--size=24", exe, png}).code, 0);
    EXPECT_EQ(ReadPngFile(png).width, 24u);  // 48 scaled down
    EXPECT_EQ(FileNamesIn(out.Path()), std::vector<std::string>{"app.png"});
    // A 251-byte name is written, and replaced, as any other.
    std::string longName = (in.Path() / (std::string(247, 'n') + ".png")).string();
    for (int run = 0; run < 2; ++run) ASSERT_EQ(Cli({"thumbnail", exe, longName}).code, 0);
    EXPECT_EQ(ReadPngFile(longName).width, 48u);

    // An animated cursor shows its first frame.
    std::string ani =
        in.Write("walk.ani", BuildAniFromFrames({BuildIco({EntryFor(Solid(32, 24, 0x11))}),
                                                 BuildIco({EntryFor(Solid(48, 24, 0x22))})}));
    std::string frame = (out.Path() / "walk.png").string();
    ASSERT_EQ(Cli({"thumbnail", ani, frame}).code, 0);
    EXPECT_EQ(ReadPngFile(frame).width, 32u);

    // A library holding only cursors has a thumbnail only with --cursors.
    PeBuilder cursors;
    cursors.Cursor(1, 0, 0, MakeDib(Solid(32, 1, 0x00)));
    cursors.CursorGroup({1, {}}, BuildCursorGroup({CursorEntryFor(Solid(32, 1, 0x00), 1)}));
    std::string dll = in.Write("arrows.dll", cursors.Build());
    std::string arrow = (out.Path() / "arrow.png").string();
    CliRun none = Cli({"thumbnail", dll, arrow});
    EXPECT_EQ(none.code, 1);
    EXPECT_EQ(none.err, "marrowby2-cli: " + dll + ": Not an icon source\n");
    EXPECT_FALSE(std::filesystem::exists(arrow));
    ASSERT_EQ(Cli({"thumbnail", "--cursors", dll, arrow}).code, 0);
    EXPECT_EQ(ReadPngFile(arrow).width, 32u);

    // Damaged, unknown and missing files: the listing's reason, no file, nothing left behind.
    ByteString cut = pe.Build();
    cut.resize(cut.size() / 2);
    for (const std::string& bad : {in.Write("cut.dll", cut), in.Write("notes.txt", ByteString{1}),
                                   (in.Path() / "missing.ico").string()}) {
        CliRun failed = Cli({"thumbnail", bad, (out.Path() / "bad.png").string()});
        // A cut library keeps only loose images, which no thumbnail shows: the file's damage.
        JsonValue entry = ParseJson(Cli({"list", "--jsonl", bad}).out);
        std::string reason =
            entry["icon"].IsNull() ? entry["error"].string : entry["damaged"].string;
        EXPECT_EQ(failed.code, 1) << bad;
        EXPECT_EQ(failed.err, "marrowby2-cli: " + bad + ": " + reason + "\n") << bad;
    }
    EXPECT_EQ(Cli({"thumbnail", "-s", "0", exe, png}).code, 2);
    EXPECT_EQ(FileNamesIn(out.Path()),
              (std::vector<std::string>{"app.png", "arrow.png", "walk.png"}));

    // Listings mark cursor images, and only those.
    CliRun listed = Cli({"list", "--json", "--cursors", dll, exe});
    ASSERT_EQ(listed.code, 0);
    JsonValue doc = ParseJson(listed.out);
    const JsonValue& cursorImage = doc["files"][0]["icon"]["images"][0];
    EXPECT_EQ(cursorImage["resourceName"].string, "Cursor #1");
    EXPECT_TRUE(cursorImage["cursor"].boolean);
    EXPECT_EQ(doc["files"][1]["icon"]["images"][0].keys.back(), "isSystemIcon");
}
