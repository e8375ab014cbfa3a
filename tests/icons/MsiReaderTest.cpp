#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "GroupBuilder.h"
#include "PeBuilder.h"
#include "TempDir.h"
#include "WixlPackage.h"
#include "icons/LoadIcons.h"

namespace {

const DibSpec k16x4{16, 16, 4, 0x21, 0x00, true};
const DibSpec k32x8{32, 32, 8, 0x43, 0x00, true};
const DibSpec k48x32{48, 48, 32, 0x80, 0x00, true};

std::vector<std::string> NamesAndSizes(const TLoadedIcon& icon) {
    std::vector<std::string> found;
    for (const auto& image : icon.Images)
        found.push_back(image->ResourceName + " " + std::to_string(image->PixelWidth()));
    return found;
}

}  // namespace

// A package built by wixl: two icon files and a program in its Icon table, an icon and a
// custom-action library in its Binary table, a row that is neither, ARPPRODUCTICON naming the
// second icon. The package is known by its content whatever its name.
TEST(MsiReader, IconTableGroupsWithTheProductIconFirst) {
    TempDir dir;
    PeBuilder program;
    program.Icon(1, MakeDib(k32x8)).Group({101, {}}, BuildIconGroup({GroupEntryFor(k32x8, 1)}));
    std::string msi = BuildMsiWithWixl(
        dir,
        {{"app.ico", BuildIco({EntryFor(k16x4), EntryFor(k32x8)})},
         {"product.ico", BuildIco({EntryFor(k48x32)})},
         {"setup.exe", program.Build()},
         {"notes", ByteString{'h', 'i', '!'}}},
        {{"banner", BuildIco({EntryFor(k16x4)})}, {"action.dll", program.Build()}}, "product.ico");
    if (msi.empty()) GTEST_SKIP() << "wixl is not installed";
    std::string renamed = (dir.Path() / "package.bin").string();
    std::filesystem::copy_file(msi, renamed);

    TLoadOutcome all = LoadIconsWithReason(renamed);
    ASSERT_TRUE(all.Icon) << all.Error;
    EXPECT_EQ(NamesAndSizes(*all.Icon),
              (std::vector<std::string>{"product.ico 48", "app.ico 16", "app.ico 32",
                                        "setup.exe/#101 32", "banner 16"}));
    EXPECT_EQ(all.Icon->ImageCount, 5);
    EXPECT_EQ(all.Icon->MaxWidth, 48);
    EXPECT_EQ(all.Icon->Damage, "notes: the stream is neither an icon nor an executable");
    EXPECT_EQ(all.Icon->Images[1]->ImageBits().size(), 16u * 8);  // 4-bit rows, decoded

    TLoadOptions main;
    main.Groups.MainIcon = true;
    EXPECT_EQ(NamesAndSizes(*LoadIconsWithReason(msi, main).Icon),
              (std::vector<std::string>{"product.ico 48"}));
    TLoadOptions named;
    named.Groups.Names = {"SETUP.EXE/#101"};
    EXPECT_EQ(NamesAndSizes(*LoadIconsWithReason(msi, named).Icon),
              (std::vector<std::string>{"setup.exe/#101 32"}));

    // Damaged copies give a reason, never a crash.
    ByteString bytes(std::filesystem::file_size(msi));
    std::ifstream(msi, std::ios::binary).read(reinterpret_cast<char*>(bytes.data()), bytes.size());
    for (std::size_t at = 0x200; at < bytes.size(); at += 0x200) bytes[at] ^= 0x5A;
    TLoadOutcome damaged = LoadIconsWithReason(dir.Write("damaged.msi", bytes));
    EXPECT_FALSE(damaged.Icon);
    EXPECT_EQ(damaged.Error, "the installer database is damaged: libmsi could not read it");
}
