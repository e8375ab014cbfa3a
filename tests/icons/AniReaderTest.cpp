#include <gtest/gtest.h>

#include "AniBuilder.h"
#include "IcoBuilder.h"
#include "icons/AniAnimation.h"
#include "icons/readers/AniReader.h"

namespace {

ByteString Frame(const std::vector<DibSpec>& formats) {
    std::vector<IcoEntry> entries;
    for (const DibSpec& layout : formats) entries.push_back(EntryFor(layout));
    return BuildIco(entries, 2);
}

// An icon file of odd length: one trailing byte after its images.
ByteString OddFrame(std::uint8_t fill) {
    ByteString frame = Frame({{32, 32, 4, fill, 0, true}});
    frame.push_back(0xEE);
    return frame;
}

}  // namespace

TEST(AniReader, EveryFormatOfEveryFrameInOrder) {
    std::vector<ByteString> frames;
    for (std::uint8_t i = 0; i < 8; ++i) frames.push_back(Frame({{32, 32, 4, i, 0, true}}));
    auto eight = ReadAniData(BuildAniFromFrames(frames), "walk.ani");
    ASSERT_NE(eight, nullptr);
    ASSERT_EQ(eight->ImageCount, 8);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(eight->GetImage(i).ResourceName, "");
        EXPECT_EQ(eight->GetImage(i).ImageBits(),
                  ByteString(32 * 16, static_cast<std::uint8_t>(i)));
    }

    // Offsets in a frame's directory count from the start of its chunk.
    auto mixed =
        ReadAniData(BuildAniFromFrames({Frame({{16, 16, 8, 1, 0, true}, {48, 48, 32, 2, 0, true}}),
                                        Frame({{24, 24, 1, 3, 0, true}})}),
                    "busy.ani");
    ASSERT_EQ(mixed->ImageCount, 3);
    EXPECT_EQ(mixed->GetImage(0).BitCount, 8);
    EXPECT_EQ(mixed->GetImage(1).BitCount, 32);
    EXPECT_EQ(mixed->GetImage(1).ImageBits(), ByteString(48 * 48 * 4, 2));
    EXPECT_EQ(mixed->GetImage(2).BitCount, 1);
    EXPECT_EQ(mixed->MaxWidth, 48);
    EXPECT_EQ(mixed->FileName, "busy.ani");
}

TEST(AniReader, OtherChunksAreSkippedAndOddLengthsArePadded) {
    ByteString info = ListChunk("INFO", RiffChunk("INAM", ByteString{'O', 'd', 'd', 0, 'x'}));
    ByteString rate = RiffChunk("rate", ByteBuilder().U32(10).U32(20).U32(30).Bytes());
    ByteString seq = RiffChunk("seq ", ByteBuilder().U32(1).U32(0).U32(1).Bytes());
    ByteString odd = RiffChunk("junk", ByteString(3, 0xAB));  // 3 bytes and a pad byte
    auto icon = ReadAniData(BuildAni({info, AniHeaderChunk(1, 2), rate, seq, odd,
                                      FrameList({OddFrame(5), OddFrame(6)})}),
                            "odd.ani");
    ASSERT_NE(icon, nullptr);
    ASSERT_EQ(icon->ImageCount, 2);
    EXPECT_EQ(icon->GetImage(1).ImageBits(), ByteString(32 * 16, 6));

    // Without its pad byte an odd chunk puts the next chunk one byte early: the frame list
    // is not found where it should be.
    ByteString unpadded = RiffChunk("junk", ByteString(3, 0xAB), false);
    EXPECT_EQ(ReadAniData(BuildAni({AniHeaderChunk(1, 1), unpadded, FrameList({Frame({{}})})}),
                          "bad.ani"),
              nullptr);
}

TEST(AniReader, FileKindsAndFlagsThatGiveNothing) {
    ByteString frames = FrameList({Frame({{}})});
    EXPECT_EQ(ReadAniData(BuildAni({AniHeaderChunk(0, 1), frames}), "raw.ani"), nullptr);
    // A frame list read before the raw-bitmap header is kept.
    auto early = ReadAniData(BuildAni({frames, AniHeaderChunk(0, 1)}), "early.ani");
    ASSERT_NE(early, nullptr);
    EXPECT_EQ(early->ImageCount, 1);
    EXPECT_EQ(ReadAniData(BuildAni({AniHeaderChunk(1, 0)}), "none.ani"), nullptr);
    EXPECT_EQ(ReadAniData(BuildIco({EntryFor({})}), "ico.ani"), nullptr);
    ByteString wave = BuildAni({frames});
    wave[8] = 'W';
    EXPECT_EQ(ReadAniData(wave, "wave.ani"), nullptr);
    EXPECT_EQ(ReadAniData(ByteString{'R', 'I'}, "short.ani"), nullptr);
    // A later frame list replaces an earlier one.
    auto later = ReadAniData(BuildAni({frames, FrameList({Frame({{}}), Frame({{}})})}), "x.ani");
    EXPECT_EQ(later->ImageCount, 2);
}

TEST(AniReader, LengthsPastTheEnd) {
    // A frame that runs past its list ends it: the frames before it are kept, and with none
    // the file fails with the reason.
    ByteBuilder frame;
    frame.Text("icon").U32(5000).Bytes(Frame({{}}));
    ByteString list = ListChunk("fram", frame.Bytes());
    EXPECT_THROW(ReadAniData(BuildAni({AniHeaderChunk(1, 1), list}), "x.ani"), TReadError);
    ByteBuilder second;
    second.Bytes(RiffChunk("icon", Frame({{}}))).Bytes(frame.Bytes());
    auto kept = ReadAniData(BuildAni({ListChunk("fram", second.Bytes())}), "x.ani");
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(kept->ImageCount, 1);
    EXPECT_EQ(kept->Damage,
              "the file ends " + std::to_string(Frame({{}}).size()) + " bytes into frame 2");

    // A trailing chunk whose length runs past the end of the file ends the read.
    ByteString tail = RiffChunk("rate", ByteString(4, 1), true, 0xFFFFFFF0u);
    auto icon =
        ReadAniData(BuildAni({AniHeaderChunk(1, 1), FrameList({Frame({{}})}), tail}), "x.ani");
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->ImageCount, 1);

    // Seven bytes left in a list are no sub-chunk header; they are not read.
    ByteBuilder body;
    body.Bytes(RiffChunk("icon", Frame({{}}))).Fill(7, 0x49);
    auto trailing = ReadAniData(BuildAni({ListChunk("fram", body.Bytes())}), "x.ani");
    EXPECT_EQ(trailing->ImageCount, 1);

    ByteString header = AniHeaderChunk(1, 1);
    header.resize(20);
    EXPECT_THROW(ReadAniData(BuildAni({header}), "x.ani"), TReadError);
}

// The animation as the file gives it: the header's rate, the "rate" and "seq " chunks, where
// each frame's images start, and each cursor image's hot spot. Chunks that run short are left
// unused, with the reason.
TEST(AniReader, KeepsRatesSequenceAndHotSpots) {
    const ByteString frames =
        FrameList({CursorFrame(1, 3, 9), CursorFrame(2, 4, 10), CursorFrame(3, 5, 11)});
    const ByteString rate = RiffChunk("rate", ByteBuilder().U32(6).U32(12).U32(30).U32(6).Bytes());
    const ByteString seq = RiffChunk("seq ", ByteBuilder().U32(0).U32(2).U32(1).U32(2).Bytes());
    auto icon = ReadAniData(BuildAni({AniHeaderChunk(1, 3, 4), rate, seq, frames}), "busy.ani");
    ASSERT_NE(icon, nullptr);
    ASSERT_EQ(icon->ImageCount, 6);
    ASSERT_NE(icon->Animation, nullptr);
    const TAniAnimation& animation = *icon->Animation;
    EXPECT_EQ(animation.FrameStarts, (std::vector<std::size_t>{0, 2, 4}));
    EXPECT_EQ(animation.Steps(), 4u);
    EXPECT_EQ(animation.StepFrame(1), 2u);
    EXPECT_EQ(animation.StepMilliseconds(2), 500);
    EXPECT_EQ(animation.TotalMilliseconds(), 900);
    EXPECT_TRUE(animation.Problem.empty());
    EXPECT_EQ(icon->GetImage(3).HotSpot, (THotSpot{4, 10}));
    EXPECT_EQ(icon->GetImage(3).BitCount, 4);
    EXPECT_EQ(FrameImage(*icon, 2, icon->GetImage(3)), &icon->GetImage(5));

    // Two rates for four steps, a sequence naming frame 7: both dropped, each step then lasts
    // the header's rate (10 jiffies) and the frames play in order.
    const ByteString shortRate = RiffChunk("rate", ByteBuilder().U32(6).U32(12).Bytes());
    auto fewer = ReadAniData(BuildAni({AniHeaderChunk(1, 3, 4), shortRate, frames}), "x.ani");
    EXPECT_EQ(fewer->Animation->Problem, "the \"rate\" chunk holds 2 of 3 steps");
    EXPECT_EQ(fewer->Animation->TotalMilliseconds(), 3 * 166);
    const ByteString wrong = RiffChunk("seq ", ByteBuilder().U32(0).U32(7).U32(1).U32(2).Bytes());
    auto missing = ReadAniData(BuildAni({AniHeaderChunk(1, 3, 4), wrong, frames}), "x.ani");
    EXPECT_EQ(missing->Animation->Problem, "the \"seq \" chunk names frame 7 of 3");
    EXPECT_EQ(missing->Animation->Steps(), 3u);
}
