#include <gtest/gtest.h>

#include "GroupBuilder.h"
#include "NeBuilder.h"
#include "TempDir.h"
#include "icons/LoadIcons.h"
#include "icons/readers/NeReader.h"

namespace {

const DibSpec k16x4{16, 16, 4, 0x21, 0x00, true};
const DibSpec k32x4{32, 32, 4, 0x65, 0x00, true};

NeResource Numbered(std::uint16_t id, ByteString data) {
    return {id, {}, std::move(data), {}, {}};
}

NeResource Named(std::string name, ByteString data) {
    return {0, std::move(name), std::move(data), {}, {}};
}

// Images 1 and 2, groups #10 (both) and #11 (image 2).
NeBuilder TwoGroups() {
    NeBuilder ne;
    ne.types = {{0x8002, {Numbered(1, ByteString(30, 7))}},
                {kNeIconType, {Numbered(1, MakeDib(k16x4)), Numbered(2, MakeDib(k32x4))}},
                {kNeGroupType,
                 {Numbered(10, BuildIconGroup({GroupEntryFor(k16x4, 1), GroupEntryFor(k32x4, 2)})),
                  Numbered(11, BuildIconGroup({GroupEntryFor(k32x4, 2)}))}}};
    return ne;
}

std::vector<std::string> Names(const TLoadedIcon& icon) {
    std::vector<std::string> names;
    for (const auto& image : icon.Images) names.push_back(image->ResourceName);
    return names;
}

}  // namespace

TEST(NeReader, AlignmentShiftsAndHeaderOffsetLow16Bits) {
    for (std::uint16_t shift : {0, 4, 9}) {
        NeBuilder ne = TwoGroups();
        ne.shift = shift;
        ne.headerField = 0x00010080;  // only 0x0080 counts
        auto icon = ReadNeData(ne.Build(), "old.exe");
        ASSERT_EQ(icon->Images.size(), 3u) << shift;
        EXPECT_EQ(Names(*icon), (std::vector<std::string>{"#10", "#10", "#11"}));
        EXPECT_EQ(icon->GetImage(0).ImageBits(), ByteString(16 * 8, 0x21));
        EXPECT_EQ(icon->GetImage(2).ImageBits(), ByteString(32 * 16, 0x65));
        EXPECT_EQ(icon->GetImage(1).ImageOffset, 2u);  // id 2 found as the id word 0x8002
        EXPECT_EQ(icon->MaxWidth, 32);
    }
    // Shift 4: offset 0x20 and length 0x13 units are 0x130 bytes at 0x200.
    NeBuilder placed;
    placed.types = {{kNeIconType, {Numbered(1, {})}},
                    {kNeGroupType, {Numbered(2, BuildIconGroup({GroupEntryFor(k16x4, 1)}))}}};
    placed.types[0].resources[0].offsetUnits = 0x20;
    placed.types[0].resources[0].lengthUnits = 0x13;
    ByteBuilder file;
    file.Bytes(placed.Build()).PadTo(0x200).Bytes(MakeDib(k16x4)).PadTo(0x330);
    auto icon = ReadNeData(file.Bytes(), "old.exe");
    ASSERT_EQ(icon->Images.size(), 1u);
    EXPECT_EQ(icon->GetImage(0).ImageBits(), ByteString(16 * 8, 0x21));
    // One byte short, the resource runs past the end but its pixels do not: whole. Cut
    // inside the pixels, the image is kept damaged rather than failing the whole file.
    ByteString shorter = file.Bytes();
    shorter.pop_back();
    EXPECT_EQ(ReadNeData(shorter, "old.exe")->GetImage(0).Damage(), "");
    shorter.resize(shorter.size() - 10);
    auto cut = ReadNeData(shorter, "old.exe");
    ASSERT_EQ(cut->Images.size(), 1u);
    EXPECT_EQ(cut->GetImage(0).LoadDamage(), "the file ends 293 bytes into icon image #1");
    EXPECT_EQ(cut->GetImage(0).Width, 16);
}

TEST(NeReader, DropsEmptyEntriesAndKeepsMissingImagesDamaged) {
    NeBuilder ne;
    GroupEntry zeroWidth = GroupEntryFor(k16x4, 1);
    zeroWidth.width = 0;
    NeResource pastEnd = Numbered(4, MakeDib(k16x4));
    pastEnd.lengthUnits = 0x7000;
    ne.types = {
        {kNeIconType,
         {Numbered(1, MakeDib(k16x4)), Numbered(2, MakeDib({16, 16, 4, 0, 0, true})),
          Named("NAMED", MakeDib(k16x4)), pastEnd}},
        {kNeGroupType,
         {Named("APP", BuildIconGroup({zeroWidth, GroupEntryFor(k16x4, 1), GroupEntryFor(k16x4, 2),
                                       GroupEntryFor(k16x4, 3), GroupEntryFor(k16x4, 4),
                                       GroupEntryFor(k16x4, 1)}))}}};
    auto icon = ReadNeData(ne.Build(), "old.exe");
    // Zero width: never added. Image 2 all zero: dropped after counting. Image 3 missing (only
    // a named image): kept damaged. Image 4 claims bytes past the end, but its pixels are
    // there: whole.
    EXPECT_EQ(icon->ImageCount, 5);
    ASSERT_EQ(icon->Images.size(), 4u);
    EXPECT_EQ(Names(*icon), (std::vector<std::string>{"APP", "APP", "APP", "APP"}));
    EXPECT_EQ(icon->GetImage(0).ImageOffset, 1u);
    EXPECT_EQ(icon->GetImage(0).Damage(), "");
    EXPECT_EQ(icon->GetImage(1).LoadDamage(), "icon image #3 is missing");
    EXPECT_EQ(icon->GetImage(2).Damage(), "");
    EXPECT_EQ(icon->GetImage(2).ImageOffset, 4u);
    EXPECT_EQ(icon->GetImage(3).ImageOffset, 1u);
    EXPECT_EQ(icon->Damage, "");
}

TEST(NeReader, IconLibraryNamesItsGroupsFromTheNameTable) {
    NeBuilder icl = TwoGroups();
    icl.names = {"ICL", "FOLDER", "DRIVE"};
    auto icon = ReadNeData(icl.Build(), "lib.icl");
    EXPECT_EQ(Names(*icon), (std::vector<std::string>{"FOLDER", "FOLDER", "DRIVE"}));
    // Groups are chosen by those names, in any case; the first group is the main icon.
    EXPECT_EQ(Names(*ReadNeData(icl.Build(), "lib.icl", {{"drive"}, false})),
              (std::vector<std::string>{"DRIVE"}));
    EXPECT_EQ(Names(*ReadNeData(icl.Build(), "lib.icl", {{}, true})),
              (std::vector<std::string>{"FOLDER", "FOLDER"}));
    // Without the ICL mark the table is not a list of group names.
    NeBuilder plain = TwoGroups();
    plain.names = {"APP", "FOLDER", "DRIVE"};
    EXPECT_EQ(Names(*ReadNeData(plain.Build(), "app.exe")),
              (std::vector<std::string>{"#10", "#10", "#11"}));
}

TEST(NeReader, BrokenTablesAreErrorsAndOtherFilesHaveNoImages) {
    ByteBuilder notNe;
    notNe.Text("MZ").PadTo(0x3C).U32(0x40).Text("LE").PadTo(0x80);
    EXPECT_TRUE(ReadNeData(notNe.Bytes(), "x.exe")->Images.empty());
    EXPECT_TRUE(ReadNeData(ByteString(0x20, 0), "x.exe")->Images.empty());

    // A type table without its zero type id ends at the end of the file.
    NeBuilder open = TwoGroups();
    open.terminate = false;
    ByteString cut = open.Build();
    cut.resize(0x80 + 0x40 + 2 + 3 * 8 + 5 * 12);
    EXPECT_THROW(ReadNeData(cut, "x.exe"), TReadError);

    ByteString big = TwoGroups().Build();
    big[0x80 + 0x40] = 40;
    EXPECT_THROW(ReadNeData(big, "x.exe"), TReadError);

    // A zero-length image resource has no header to decode: its images are damaged.
    NeBuilder zeroSize = TwoGroups();
    zeroSize.types[1].resources[0].lengthUnits = 0;
    auto empty = ReadNeData(zeroSize.Build(), "x.exe");
    ASSERT_EQ(empty->Images.size(), 3u);
    EXPECT_EQ(empty->GetImage(0).LoadDamage(), "the image data ends before its header");
    EXPECT_EQ(empty->GetImage(1).LoadDamage(), "");
}

TEST(NeReader, DispatcherRefreshesTheCountOfDroppedImages) {
    TempDir dir;
    NeBuilder ne;
    ne.types = {{kNeIconType, {Numbered(9, MakeDib({16, 16, 4, 0, 0, true}))}},
                {kNeGroupType, {Numbered(1, BuildIconGroup({GroupEntryFor(k16x4, 9)}))}}};
    auto icon = LoadIconsFromFile(dir.Write("old.EXE", ne.Build()));
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->ImageCount, 0);
    EXPECT_EQ(LoadIconsFromFile(dir.Write("none.dll", NeBuilder().Build())), nullptr);
    auto library = LoadIconsFromFile(dir.Write("lib.icl", TwoGroups().Build()));
    ASSERT_NE(library, nullptr);
    EXPECT_EQ(library->ImageCount, 3);
    EXPECT_EQ(library->FileName, dir.Path().string() + "/lib.icl");
}

TEST(NeReader, GroupRecordsSharingOneGroupCannotExhaustMemory) {
    // 4000 group records all pointing at one group of 4000 entries, placed at 0x10000.
    NeResource shared = Numbered(1, {});
    shared.offsetUnits = 0x1000;
    shared.lengthUnits = 0x1000;
    NeBuilder ne;
    ne.types = {{kNeIconType, {Numbered(1, MakeDib(k16x4))}},
                {kNeGroupType, std::vector<NeResource>(4000, shared)}};
    ByteBuilder file;
    file.Bytes(ne.Build()).PadTo(0x10000);
    file.Bytes(BuildIconGroup(std::vector<GroupEntry>(4000, GroupEntryFor(k16x4, 1))));
    try {
        ReadNeData(file.Bytes(), "x.exe");
        ADD_FAILURE() << "16 million images were read";
    } catch (const TReadError& e) {
        EXPECT_STREQ(e.what(), "Image data exceeds what the file can hold");
    }
}
