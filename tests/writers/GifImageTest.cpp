#include <gtest/gtest.h>

#include <filesystem>
#include <numeric>

#include "GifDecoder.h"
#include "TempDir.h"
#include "WriterTestImages.h"
#include "writers/GifImage.h"
#include "writers/GifLZWEncoder.h"
#include "writers/WriterError.h"

namespace {

// An 8-bit bitmap with a 256-entry palette whose pixels come from `index`.
template <typename F>
TBitmap IndexBitmap(int width, int height, F index) {
    TBitmap bitmap(width, height, TPixelFormat::pf8bit);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) bitmap.SetRawPixel(x, y, index(x, y));
    return bitmap;
}

// Pseudo-random indices: enough distinct strings to fill the string table several times.
std::uint32_t Noise(int x, int y) {
    std::uint32_t v = static_cast<std::uint32_t>(x * 7919 + y * 104729) * 2654435761u;
    return (v >> 13) & 0xFFu;
}

GifFrame Decode(const TGIFImage& gif) {
    DecodedGif decoded = DecodeGif(gif.SaveToBytes());
    EXPECT_EQ(decoded.frames.size(), 1u);
    return decoded.frames.at(0);
}

int Count(const std::vector<GifCode>& codes, int value) {
    return static_cast<int>(std::count_if(codes.begin(), codes.end(),
                                          [value](const GifCode& c) { return c.value == value; }));
}

}  // namespace

TEST(GifImage, FileLayoutWithGraphicControlExtensionAndLocalColourTable) {
    TBitmap bitmap = IndexBitmap(48, 48, [](int x, int y) { return (x / 4 + y / 4) % 5; });
    TGIFImage gif;
    TGIFSubImage& frame = gif.Add(bitmap);
    frame.GraphicControl.emplace();
    frame.GraphicControl->Transparent = true;
    frame.GraphicControl->TransparentColorIndex = 200;
    ByteString bytes = gif.SaveToBytes();
    ByteString start(bytes.begin(), bytes.begin() + 21);
    EXPECT_EQ(start, (ByteString{'G', 'I', 'F',  '8',  '9', 'a', 48, 0, 48,  0, 0x70,
                                 0,   0,   0x21, 0xF9, 4,   1,   0,  0, 200, 0}));
    ByteString descriptor(bytes.begin() + 21, bytes.begin() + 31);
    EXPECT_EQ(descriptor, (ByteString{0x2C, 0, 0, 0, 0, 48, 0, 48, 0, 0x87}));
    EXPECT_EQ(bytes[31 + 768], 8);  // minimum code size after the 256-entry table
    EXPECT_EQ(bytes.back(), 0x3B);

    DecodedGif decoded = DecodeGif(bytes);
    ASSERT_EQ(decoded.frames.size(), 1u);
    const GifFrame& decodedFrame = decoded.frames[0];
    EXPECT_EQ(decoded.version, "89a");
    EXPECT_TRUE(decoded.globalTable.empty());
    EXPECT_TRUE(decoded.trailer);
    EXPECT_TRUE(decodedFrame.transparent);
    EXPECT_EQ(decodedFrame.transparentIndex, 200);
    EXPECT_EQ(decodedFrame.colorTable, bitmap.Palette);
    EXPECT_EQ(decodedFrame.minCodeSize, 8);
    EXPECT_FALSE(decodedFrame.interlaced);
    ASSERT_FALSE(decodedFrame.codes.empty());
    EXPECT_EQ(decodedFrame.codes.front().value, 256);  // clear code first,
    EXPECT_EQ(decodedFrame.codes.front().bits, 9);     // at 9 bits
    EXPECT_EQ(decodedFrame.codes.back().value, 257);   // end code last
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 48; ++x)
            ASSERT_EQ(decodedFrame.Index(x, y), bitmap.RawPixel(x, y)) << x << "," << y;

    // Without an extension the file is GIF87a.
    TGIFImage plain;
    plain.Add(bitmap);
    EXPECT_EQ(DecodeGif(plain.SaveToBytes()).version, "87a");
}

TEST(GifImage, PalettisedBitmapsKeepTheirIndicesAndSmallTablesArePadded) {
    TBitmap four(5, 3, TPixelFormat::pf4bit);
    four.Palette.resize(5);
    four.Palette[4] = {1, 2, 3};
    four.SetRawPixel(4, 2, 4);
    four.SetRawPixel(0, 0, 3);
    TGIFImage gif;
    gif.Add(four);
    GifFrame frame = Decode(gif);
    ASSERT_EQ(frame.colorTable.size(), 8u);  // five colours padded to eight
    EXPECT_EQ(frame.colorTable[4], (TColor{1, 2, 3}));
    EXPECT_EQ(frame.colorTable[7], clBlack);
    EXPECT_EQ(frame.minCodeSize, 3);
    EXPECT_EQ(frame.codes.front().bits, 4);
    EXPECT_EQ(frame.Index(4, 2), 4);
    EXPECT_EQ(frame.Index(0, 0), 3);
    EXPECT_EQ(frame.Index(1, 1), 0);

    // Two colours still take the smallest code size, 2.
    TBitmap mono(9, 2, TPixelFormat::pf1bit);
    mono.SetRawPixel(8, 1, 1);
    TGIFImage monoGif;
    monoGif.Add(mono);
    GifFrame monoFrame = Decode(monoGif);
    EXPECT_EQ(monoFrame.colorTable.size(), 2u);
    EXPECT_EQ(monoFrame.minCodeSize, 2);
    EXPECT_EQ(monoFrame.codes.front().value, 4);
    EXPECT_EQ(monoFrame.codes.front().bits, 3);
    EXPECT_EQ(monoFrame.Index(8, 1), 1);
    EXPECT_EQ(monoFrame.Index(7, 1), 0);

    EXPECT_THROW(TGIFSubImage(TBitmap(2, 2, TPixelFormat::pf24bit)), std::invalid_argument);
}

TEST(GifImage, LzwCodesWidenUpToTwelveBitsAndClearWhenTheTableIsFull) {
    TBitmap noise = IndexBitmap(255, 255, Noise);
    TGIFImage gif;
    gif.Add(noise);
    GifFrame frame = Decode(gif);
    for (int y = 0; y < 255; ++y)
        for (int x = 0; x < 255; ++x) ASSERT_EQ(frame.Index(x, y), noise.RawPixel(x, y));
    // Codes read at 9 to 12 bits, never more; the table filled and was cleared several times.
    int widest = 0;
    for (const GifCode& code : frame.codes) widest = std::max(widest, code.bits);
    EXPECT_EQ(widest, 12);
    EXPECT_GE(Count(frame.codes, 256), 3);
    EXPECT_EQ(Count(frame.codes, 257), 1);
    // After each clear the codes are 9 bits wide again, and the next clear comes 3839 codes
    // later: 3837 codes that add the entries 258 to 4094, and one that finds the table full.
    std::vector<std::size_t> clears;
    for (std::size_t i = 0; i < frame.codes.size(); ++i)
        if (frame.codes[i].value == 256) clears.push_back(i);
    for (std::size_t k = 0; k + 1 < clears.size(); ++k) {
        EXPECT_EQ(frame.codes[clears[k] + 1].bits, 9);
        EXPECT_EQ(frame.codes[clears[k + 1]].bits, 12);
        EXPECT_EQ(clears[k + 1] - clears[k], 3839u);
    }
    // 256 codes at 9 bits after a clear (the clear itself and 255 more), then 10 bits.
    EXPECT_EQ(frame.codes[clears[1] + 255].bits, 9);
    EXPECT_EQ(frame.codes[clears[1] + 256].bits, 10);
    int total = std::accumulate(frame.subBlockSizes.begin(), frame.subBlockSizes.end(), 0);
    EXPECT_GT(total, 255);
    for (std::size_t i = 0; i + 1 < frame.subBlockSizes.size(); ++i)
        EXPECT_EQ(frame.subBlockSizes[i], 255);
}

TEST(GifImage, EmptyAndUniformFramesEncode) {
    TLZWEncoder encoder(8);
    // Clear 256 and end 257 at 9 bits: 0x100 | 0x101 << 9, least significant bit first.
    EXPECT_EQ(encoder.Encode({}), (ByteString{0x00, 0x03, 0x02}));
    ByteString one = {7};
    // Clear, 7, end: 0x100 | 7 << 9 | 0x101 << 18.
    EXPECT_EQ(encoder.Encode(one), (ByteString{0x00, 0x0F, 0x04, 0x04}));

    TBitmap uniform = IndexBitmap(64, 64, [](int, int) { return 9; });
    TGIFImage gif;
    gif.Add(uniform);
    GifFrame frame = Decode(gif);
    EXPECT_EQ(frame.pixels, ByteString(64 * 64, 9));
    EXPECT_LT(frame.codes.size(), 100u);  // runs compress into growing strings
}

TEST(GifImage, AnIndexOutsideTheColourTableStopsTheSaveAndKeepsTheOldFile) {
    TempDir dir;
    ByteString old = {'o', 'l', 'd'};
    std::string name = dir.Write("bad.gif", old);
    TBitmap bitmap(4, 4, TPixelFormat::pf8bit);
    bitmap.Palette.resize(4);
    bitmap.SetRawPixel(3, 3, 4);
    TGIFImage gif;
    gif.Add(bitmap);
    try {
        gif.SaveToFile(name);
        FAIL() << "no error";
    } catch (const TWriteError& error) {
        EXPECT_EQ(std::string(error.what()), "Color not in color table");
    }
    EXPECT_EQ(FileBytes(name), old);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}
