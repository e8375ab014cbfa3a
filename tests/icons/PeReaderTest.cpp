#include <gtest/gtest.h>

#include <tuple>

#include "GroupBuilder.h"
#include "NeBuilder.h"
#include "PeBuilder.h"
#include "PngStreamBuilder.h"
#include "icons/readers/PeReader.h"

namespace {

const DibSpec k16x4{16, 16, 4, 0x21, 0x00, true};
const DibSpec k32x8{32, 32, 8, 0x43, 0x00, true};
const DibSpec k48x32{48, 48, 32, 0x80, 0x00, true};

// Groups MAINICON (three formats), #1 and #5, images 1 to 5.
PeBuilder ThreeGroups(bool pe32Plus) {
    PeBuilder pe(pe32Plus);
    pe.Icon(1, MakeDib(k16x4)).Icon(2, MakeDib(k32x8)).Icon(3, MakeDib(k48x32));
    pe.Icon(4, MakeDib(k32x8)).Icon(5, MakeDib(k16x4));
    pe.Group({0, "MAINICON"}, BuildIconGroup({GroupEntryFor(k16x4, 1), GroupEntryFor(k32x8, 2),
                                              GroupEntryFor(k48x32, 3)}));
    pe.Group({1, {}}, BuildIconGroup({GroupEntryFor(k32x8, 4)}));
    pe.Group({5, {}}, BuildIconGroup({GroupEntryFor(k16x4, 5)}));
    return pe;
}

std::vector<std::string> Names(const TLoadedIcon& icon) {
    std::vector<std::string> names;
    for (const auto& image : icon.Images) names.push_back(image->ResourceName);
    return names;
}

// The error of a broken image, or "" when it read without one.
std::string ReadError(const ByteString& file) {
    try {
        ReadPeData(file, "x.dll");
    } catch (const TReadError& e) {
        return e.what();
    }
    return "";
}

}  // namespace

TEST(PeReader, GroupsInDirectoryOrderFromPe32AndPe32Plus) {
    for (bool pe32Plus : {false, true}) {
        auto icon = ReadPeData(ThreeGroups(pe32Plus).Build(), "lib.dll");
        ASSERT_NE(icon, nullptr) << pe32Plus;
        EXPECT_EQ(icon->FileName, "lib.dll");
        ASSERT_EQ(icon->ImageCount, 5);
        EXPECT_EQ(Names(*icon),
                  (std::vector<std::string>{"MAINICON", "MAINICON", "MAINICON", "#1", "#5"}));
        // A group's formats keep their entry order; ImageOffset holds the RT_ICON id.
        const int widths[] = {16, 32, 48, 32, 16};
        const int bits[] = {4, 8, 32, 8, 4};
        for (int i = 0; i < 5; ++i) {
            const TLoadedIconImage& image = icon->GetImage(i);
            EXPECT_EQ(image.Width, widths[i]);
            EXPECT_EQ(image.BitCount, bits[i]);
            EXPECT_EQ(image.Owner, icon.get());
        }
        EXPECT_EQ(icon->GetImage(2).ImageOffset, 3u);
        EXPECT_EQ(icon->GetImage(1).ImageBits(), ByteString(32 * 32, 0x43));
        EXPECT_EQ(icon->GetImage(2).ImageBits().size(), 48u * 48 * 4);
        EXPECT_EQ(icon->MaxWidth, 48);
        EXPECT_EQ(icon->MaxHeight, 48);
    }
}

TEST(PeReader, FirstLanguageOfANameAndFirstOfDuplicateIds) {
    PeBuilder pe;
    pe.Add(3, {7, {}}, {MakeDib(k32x8), MakeDib(k16x4)});
    pe.Add(14, {9, {}},
           {BuildIconGroup({GroupEntryFor(k32x8, 7)}),
            BuildIconGroup({GroupEntryFor(k32x8, 7), GroupEntryFor(k32x8, 7)})});
    pe.Group({9, {}}, BuildIconGroup({GroupEntryFor(k16x4, 7), GroupEntryFor(k16x4, 7),
                                      GroupEntryFor(k16x4, 7)}));
    auto icon = ReadPeData(pe.Build(), "x.dll");
    ASSERT_NE(icon, nullptr);
    // Both listed #9 entries are located as the first one, in its first language.
    ASSERT_EQ(icon->ImageCount, 2);
    EXPECT_EQ(icon->GetImage(0).BitCount, 8);
    EXPECT_EQ(icon->GetImage(1).ResourceName, "#9");
}

TEST(PeReader, ImageCopyIsBoundedByTheResourceAndBytesInRes) {
    GroupEntry claimsMore = GroupEntryFor(k32x8, 1);
    claimsMore.bytesInRes = 0x7FFFFFFF;
    GroupEntry claimsLess = GroupEntryFor(k32x8, 2);
    claimsLess.bytesInRes = 40 + 256 * 4 + 32 * 32;  // stops before the mask rows
    ByteString dib = MakeDib({32, 32, 8, 0x43, 0xFF, true});
    PeBuilder pe;
    pe.Icon(1, dib).Icon(2, dib).Icon(3, MakeDib(k48x32));
    pe.Group({1, {}}, BuildIconGroup({claimsMore, claimsLess}));
    auto icon = ReadPeData(pe.ResourceSlack(4096).Build(), "x.dll");
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->GetImage(0).BytesInRes, 0x7FFFFFFFu);
    EXPECT_EQ(icon->GetImage(0).MaskBits(), ByteString(32 * 4, 0xFF));
    EXPECT_EQ(icon->GetImage(1).ImageBits(), ByteString(32 * 32, 0x43));
    EXPECT_EQ(icon->GetImage(1).MaskBits(), ByteString(32 * 4, 0x00));  // cut off: opaque
}

TEST(PeReader, SectionSizesDecideWhatIsReadable) {
    ByteString full = ThreeGroups(false).Build();
    std::uint32_t raw = static_cast<std::uint32_t>(full.size() - PeBuilder::kResourceFileOffset);
    // A larger virtual size (zero-filled tail) or none at all reads the raw data.
    for (std::uint32_t virtualSize : {raw + 0x10000, 0u}) {
        auto icon = ReadPeData(ThreeGroups(false).ResourceVirtualSize(virtualSize).Build(), "x");
        ASSERT_NE(icon, nullptr);
        EXPECT_EQ(icon->ImageCount, 5);
    }
    // Groups #1 and #5 come last. A virtual size that ends inside #1 cuts it off, leaving #5
    // outside the section; one that ends before every group leaves the images loose.
    auto inside = ReadPeData(ThreeGroups(false).ResourceVirtualSize(raw - 24).Build(), "x");
    ASSERT_NE(inside, nullptr);
    // The images of the groups lost stay as loose images.
    EXPECT_EQ(Names(*inside),
              (std::vector<std::string>{"MAINICON", "MAINICON", "MAINICON", "#4", "#5"}));
    EXPECT_EQ(inside->Damage, "the file ends 16 bytes into icon group #1");
    auto outside = ReadPeData(ThreeGroups(false).ResourceVirtualSize(raw - 400).Build(), "x");
    EXPECT_EQ(outside->Damage.rfind("the file has no section holding address", 0), 0u);
    EXPECT_EQ(Names(*outside), (std::vector<std::string>{"#1", "#2", "#3"}));  // in the section
}

TEST(PeReader, FilesWithoutReadableIconsGiveNothing) {
    PeBuilder noGroups;
    noGroups.Icon(1, MakeDib(k16x4)).Add(6, {1, {}}, {ByteString(20, 1)});
    EXPECT_EQ(ReadPeData(noGroups.Build(), "x.dll"), nullptr);
    PeBuilder emptyGroup;
    emptyGroup.Icon(1, MakeDib(k16x4)).Group({1, {}}, BuildIconGroup({}));
    EXPECT_EQ(ReadPeData(emptyGroup.Build(), "x.dll"), nullptr);
    EXPECT_EQ(ReadPeData(PeBuilder().Build(), "x.dll"), nullptr);
    // Not a PE image and not an NE one either.
    ByteBuilder mz;
    mz.Text("MZ").PadTo(0x3C).U32(0x40).Text("XX").PadTo(0x100);
    EXPECT_EQ(ReadPeData(mz.Bytes(), "x.dll"), nullptr);
    EXPECT_EQ(ReadPeData(ByteString{}, "x.dll"), nullptr);
}

TEST(PeReader, SixteenBitFilesGoToTheNeReader) {
    NeBuilder ne;
    ne.types = {{kNeIconType, {{1, {}, MakeDib(k32x8), {}, {}}}},
                {kNeGroupType, {{3, {}, BuildIconGroup({GroupEntryFor(k32x8, 1)}), {}, {}}}}};
    auto icon = ReadPeData(ne.Build(), "old.exe");
    ASSERT_NE(icon, nullptr);
    ASSERT_EQ(icon->ImageCount, 1);
    EXPECT_EQ(icon->GetImage(0).ResourceName, "#3");
    // An NE file without icons gives nothing; one whose table runs off the file fails with
    // the reason.
    EXPECT_EQ(ReadPeData(NeBuilder().Build(), "old.exe"), nullptr);
    ByteString cut = ne.Build();
    cut.resize(0xC8);
    EXPECT_EQ(ReadError(cut), "the file ends before the resource table");
}

TEST(PeReader, BrokenResourceDirectoriesAreErrorsNotLoops) {
    const std::size_t root = PeBuilder::kResourceFileOffset;

    // Root entries: RT_ICON first, RT_GROUP_ICON second; their targets at root + 20 and + 28.
    ByteBuilder cyclic;
    cyclic.Bytes(ThreeGroups(false).Build());
    cyclic.PatchU32(root + 28, 0x80000000u);  // the group type directory is the root
    EXPECT_EQ(ReadError(cyclic.Bytes()), "Resource directory points back into itself");

    // A group the directory cannot name or lead to is lost alone; the others are read, and
    // the images only the lost group named stay loose.
    ByteBuilder selfNamed;
    selfNamed.Bytes(ThreeGroups(false).Build());
    std::uint32_t typeDir = ReadU32At(selfNamed.Bytes(), root + 28) & 0x7FFFFFFF;
    selfNamed.PatchU32(root + typeDir + 20, 0x80000000u | typeDir);  // name -> its own type
    auto looped = ReadPeData(selfNamed.Bytes(), "x.dll");
    ASSERT_NE(looped, nullptr);
    EXPECT_EQ(Names(*looped), (std::vector<std::string>{"#1", "#5", "#1", "#2", "#3"}));
    EXPECT_EQ(looped->Damage, "Resource directory points back into itself");
    ByteBuilder unnamed;
    unnamed.Bytes(ThreeGroups(false).Build());
    unnamed.PatchU32(root + typeDir + 16, 0xFFFFFFFFu);  // a string name far past the end
    auto lostName = ReadPeData(unnamed.Bytes(), "x.dll");
    ASSERT_NE(lostName, nullptr);
    EXPECT_EQ(Names(*lostName), (std::vector<std::string>{"#1", "#5", "#1", "#2", "#3"}));
    EXPECT_EQ(lostName->Damage.rfind("the file has no section holding address", 0), 0u);

    ByteBuilder tooDeep;
    tooDeep.Bytes(ThreeGroups(false).Build());
    std::uint32_t nameDir = ReadU32At(tooDeep.Bytes(), root + typeDir + 20) & 0x7FFFFFFF;
    tooDeep.PatchU32(root + nameDir + 20, 0x80000000u | nameDir);  // language -> directory
    auto deep = ReadPeData(tooDeep.Bytes(), "x.dll");
    ASSERT_NE(deep, nullptr);
    EXPECT_EQ(Names(*deep), (std::vector<std::string>{"#1", "#5", "#1", "#2", "#3"}));
    EXPECT_EQ(deep->Damage, "Resource directory nested deeper than three levels");

    ByteBuilder absurdCount;
    absurdCount.Bytes(ThreeGroups(false).Build());
    absurdCount.PatchU16(root + typeDir + 14, 0xFFFF);
    EXPECT_EQ(ReadError(absurdCount.Bytes()), "the file ends inside the resource directory");

    // A group claiming more bytes than the section holds reads the entries it has.
    ByteBuilder absurdSize;
    absurdSize.Bytes(ThreeGroups(false).Build());
    std::uint32_t entry = ReadU32At(absurdSize.Bytes(), root + nameDir + 20);
    absurdSize.PatchU32(root + entry + 4, 0xFFFFFFF0u);
    auto claimed = ReadPeData(absurdSize.Bytes(), "x.dll");
    ASSERT_NE(claimed, nullptr);
    EXPECT_EQ(claimed->ImageCount, 5);
}

// A file cut short keeps every image whose bytes are whole: a group the file ends inside keeps
// its whole entries, an image whose resource is cut or missing is kept damaged.
TEST(PeReader, ACutFileKeepsWholeEntriesAndDamagedImages) {
    // Images first, the group last: the cut falls 17 bytes before the group's end.
    PeBuilder groupLast;
    groupLast.Icon(1, MakeDib(k16x4)).Icon(2, MakeDib(k32x8)).Icon(3, MakeDib(k48x32));
    groupLast.Group({1, {}}, BuildIconGroup({GroupEntryFor(k16x4, 1), GroupEntryFor(k32x8, 2),
                                             GroupEntryFor(k48x32, 3)}));
    ByteString file = groupLast.Build();
    file.resize(file.size() - 17);
    auto shortGroup = ReadPeData(file, "hh.exe");
    ASSERT_NE(shortGroup, nullptr);
    // 6 + 3 x 14 bytes, 17 of them missing: the first entry is whole, and the images the lost
    // entries named stay loose, sized by their own headers.
    ASSERT_EQ(shortGroup->ImageCount, 3);
    EXPECT_EQ(shortGroup->Damage, "the file ends 31 bytes into icon group #1");
    EXPECT_EQ(shortGroup->GetImage(0).Damage(), "");
    EXPECT_EQ(shortGroup->GetImage(0).ImageBits(), ByteString(16 * 8, 0x21));
    EXPECT_FALSE(shortGroup->GetImage(0).IsLoose);
    const TLoadedIconImage& loose = shortGroup->GetImage(2);
    EXPECT_TRUE(loose.IsLoose);
    EXPECT_EQ(loose.ResourceName, "#3");
    EXPECT_EQ(std::tie(loose.Width, loose.Height, loose.BitCount, loose.BytesInRes),
              std::make_tuple(std::uint8_t{48}, std::uint8_t{48}, std::uint16_t{32},
                              static_cast<std::uint32_t>(MakeDib(k48x32).size())));
    EXPECT_EQ(loose.Damage(), "");
    EXPECT_EQ(loose.Group, nullptr);
    // Cut inside the first entry, every image is loose; the reason stays the file's.
    file.resize(file.size() - 20);
    auto noGroup = ReadPeData(file, "hh.exe");
    EXPECT_EQ(Names(*noGroup), (std::vector<std::string>{"#1", "#2", "#3"}));
    EXPECT_EQ(noGroup->Damage, "the file ends 11 bytes into icon group #1");
    EXPECT_THROW(ReadPeData(file, "hh.exe", {.Groups = {{}, true}}), TReadError);  // no main icon

    // The group first, the images after it: a cut inside the last image damages it alone, and
    // an entry naming no image is kept damaged too.
    PeBuilder imagesLast;
    imagesLast.Group({0, "APP"},
                     BuildIconGroup({GroupEntryFor(k16x4, 1), GroupEntryFor(k32x8, 2),
                                     GroupEntryFor(k16x4, 9), GroupEntryFor(k48x32, 3)}));
    imagesLast.Icon(1, MakeDib(k16x4)).Icon(2, MakeDib(k32x8)).Icon(3, MakeDib(k48x32));
    ByteString cutImage = imagesLast.Build();
    cutImage.resize(cutImage.size() - 1000);
    auto damaged = ReadPeData(cutImage, "app.exe");
    ASSERT_NE(damaged, nullptr);
    ASSERT_EQ(damaged->ImageCount, 4);
    EXPECT_EQ(damaged->Damage, "");
    EXPECT_EQ(damaged->GetImage(1).ImageBits(), ByteString(32 * 32, 0x43));
    EXPECT_EQ(damaged->GetImage(2).LoadDamage(), "icon image #9 is missing");
    const TLoadedIconImage& cut = damaged->GetImage(3);
    std::size_t present = MakeDib(k48x32).size() - 1000;
    EXPECT_EQ(cut.LoadDamage(),
              "the file ends " + std::to_string(present) + " bytes into icon image #3");
    EXPECT_EQ(cut.Width, 48);
    EXPECT_EQ(cut.BitCount, 32);
    EXPECT_EQ(cut.StoredBytes().size(), present);
    EXPECT_TRUE(cut.ImageBits().empty());
    EXPECT_EQ(damaged->MaxWidth, 48);
}

TEST(PeReader, EveryTruncationFailsWithAReasonOrKeepsWhatIsWhole) {
    ByteString full = ThreeGroups(true).Build();
    auto whole = ReadPeData(full, "x.dll");
    ASSERT_NE(whole, nullptr);
    for (std::size_t size = 0; size < full.size(); ++size) {
        ByteString cut(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(size));
        std::unique_ptr<TLoadedIcon> icon;
        try {
            icon = ReadPeData(cut, "x.dll");
        } catch (const TReadError& e) {
            EXPECT_NE(std::string(e.what()), "") << size;
            continue;
        }
        if (!icon) continue;  // cut before the PE signature: not an image
        // Every sound image is the image of the whole file; the others say why not.
        for (const auto& image : icon->Images) {
            if (!image->Damage().empty()) continue;
            bool same = false;
            for (const auto& original : whole->Images) {
                same = same || ((original->ResourceName == image->ResourceName || image->IsLoose) &&
                                original->ImageOffset == image->ImageOffset &&
                                original->ImageBits() == image->ImageBits());
            }
            EXPECT_TRUE(same) << size;
        }
    }
}

TEST(PeReader, RepeatedEntriesCannotDecodeIntoGigabytes) {
    // 2000 entries of a 256-pixel, 32-bit format all naming one 40-byte image: each decodes
    // to a quarter megabyte of zero rows.
    GroupEntry huge = GroupEntryFor({16, 16, 32, 0, 0, true}, 1);
    huge.width = huge.height = 0;
    PeBuilder pe;
    ByteString dib = MakeDib({16, 16, 32, 0, 0, true});
    pe.Icon(1, ByteString(dib.begin(), dib.begin() + 40));
    pe.Group({1, {}}, BuildIconGroup(std::vector<GroupEntry>(2000, huge)));
    EXPECT_EQ(ReadError(pe.Build()), "Image data exceeds what the file can hold");
}

TEST(PeReader, CursorGroupsOnlyWhenAskedAndNeverUnderAnIconsName) {
    const DibSpec arrow{32, 32, 1, 0x5A, 0x00, true};
    const DibSpec big{48, 48, 32, 0x66, 0x00, true};
    PeBuilder pe;
    pe.Icon(1, MakeDib(k16x4)).Group({1, {}}, BuildIconGroup({GroupEntryFor(k16x4, 1)}));
    pe.Cursor(1, 5, 7, MakeDib(arrow)).Cursor(2, 0, 0, MakeDib(big));
    pe.CursorGroup({0, "HAND"}, BuildCursorGroup({CursorEntryFor(arrow, 1)}));
    CursorGroupEntry undoubled = CursorEntryFor(big, 2);  // as Wine's resource compiler writes
    undoubled.height = 24;
    pe.CursorGroup({1, {}}, BuildCursorGroup({CursorEntryFor(arrow, 1), undoubled}));
    ByteString file = pe.Build();

    auto plain = ReadPeData(file, "user.dll");
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(Names(*plain), std::vector<std::string>{"#1"});
    EXPECT_FALSE(plain->GetImage(0).IsCursor);

    auto all = ReadPeData(file, "user.dll", {.IncludeCursors = true});
    ASSERT_NE(all, nullptr);
    // Icon groups first, then cursor groups in directory order.
    EXPECT_EQ(Names(*all),
              (std::vector<std::string>{"#1", "Cursor HAND", "Cursor #1", "Cursor #1"}));
    EXPECT_EQ(all->ImageCount, 4);
    EXPECT_EQ(all->MaxWidth, 48);
    const TLoadedIconImage& cursor = all->GetImage(2);
    EXPECT_TRUE(cursor.IsCursor);
    EXPECT_FALSE(all->GetImage(0).IsCursor);
    // The doubled height of the entry is halved; the hot spot is not taken for pixels.
    EXPECT_EQ(cursor.Width, 32);
    EXPECT_EQ(cursor.Height, 32);
    EXPECT_EQ(cursor.BitCount, 1);
    EXPECT_EQ(cursor.ColorCount, 2);
    EXPECT_EQ(cursor.ImageOffset, 1u);
    EXPECT_TRUE(cursor.HasPalette);
    ASSERT_EQ(cursor.ImageBits().size(), 32u * 4);
    EXPECT_EQ(cursor.ImageBits().front(), 0x5A);
    // An entry without the doubled height takes its size from the bitmap header.
    EXPECT_EQ(all->GetImage(3).Height, 48);
    EXPECT_EQ(all->GetImage(3).BitCount, 32);

    // Cursor resources are checked as icon resources are.
    auto damage = [](PeBuilder broken) {
        auto icon = ReadPeData(broken.Build(), "x.dll", {.IncludeCursors = true});
        return icon ? icon->GetImage(0).LoadDamage() : std::string("nothing");
    };
    auto error = [](PeBuilder broken) {
        try {
            ReadPeData(broken.Build(), "x.dll", {.IncludeCursors = true});
        } catch (const TReadError& e) {
            return std::string(e.what());
        }
        return std::string();
    };
    PeBuilder missing;
    missing.CursorGroup({1, {}}, BuildCursorGroup({CursorEntryFor(arrow, 9)}));
    EXPECT_EQ(damage(missing), "cursor image #9 is missing");
    PeBuilder stub;
    stub.Add(1, {1, {}}, {ByteString{1, 2}});
    stub.CursorGroup({1, {}}, BuildCursorGroup({CursorEntryFor(arrow, 1)}));
    EXPECT_EQ(damage(stub), "cursor image #1 is shorter than its hot spot");
    CursorGroupEntry huge = CursorEntryFor(arrow, 1);
    huge.width = 300;
    PeBuilder oversized;
    oversized.Cursor(1, 0, 0, MakeDib(arrow));
    oversized.CursorGroup({1, {}}, BuildCursorGroup({huge}));
    EXPECT_EQ(error(oversized), "Cursor group entry of 300 x 32 pixels is outside 1 to 256");
}

TEST(PeReader, HeadersOnlyListsTheSameImagesFromTheirFirstBytes) {
    PeBuilder pe = ThreeGroups(false);
    ByteString png = MakePngStream({64, 64, 6, 8, false, false, [](int x, int, int) { return x; }});
    GroupEntry pngEntry{64, 64, 0, 1, 32, static_cast<std::uint32_t>(png.size()), 6};
    const DibSpec paletted{256, 256, 8, 0x11, 0x00, true};  // rows far past the head
    pe.Icon(6, png).Icon(7, MakeDib(paletted));
    pe.Group({7, {}}, BuildIconGroup({pngEntry, GroupEntryFor(paletted, 7)}));
    pe.Cursor(1, 3, 4, MakeDib(k32x8));
    pe.CursorGroup({1, {}}, BuildCursorGroup({CursorEntryFor(k32x8, 1)}));
    ByteString file = pe.Build();

    auto full = ReadPeData(file, "x.dll", {.IncludeCursors = true});
    auto heads = ReadPeData(file, "x.dll", {.IncludeCursors = true, .HeadersOnly = true});
    ASSERT_NE(full, nullptr);
    ASSERT_NE(heads, nullptr);
    ASSERT_EQ(heads->ImageCount, 8);
    ASSERT_EQ(full->ImageCount, heads->ImageCount);
    EXPECT_EQ(heads->MaxWidth, 256);
    for (int i = 0; i < heads->ImageCount; ++i) {
        const TLoadedIconImage& a = full->GetImage(i);
        const TLoadedIconImage& b = heads->GetImage(i);
        EXPECT_EQ(std::tie(a.ResourceName, a.Width, a.Height, a.ColorCount, a.Planes, a.BitCount,
                           a.BytesInRes, a.ImageOffset, a.HasPalette, a.IsCursor),
                  std::tie(b.ResourceName, b.Width, b.Height, b.ColorCount, b.Planes, b.BitCount,
                           b.BytesInRes, b.ImageOffset, b.HasPalette, b.IsCursor))
            << i;
        EXPECT_TRUE(b.StoredBytes().empty()) << i;  // the heads told all; none is kept
    }
    EXPECT_EQ(heads->GetImage(5).PngHeader().Width, 64u);
    EXPECT_EQ(heads->GetImage(6).Palette.Entries[255].Red,
              full->GetImage(6).Palette.Entries[255].Red);
    EXPECT_GT(full->GetImage(6).StoredBytes().size(), 256u * 256);
}
