#include <gtest/gtest.h>

#include <filesystem>

#include "ImageBuilder.h"
#include "PngStreamBuilder.h"
#include "TempDir.h"
#include "icons/FileContent.h"
#include "icons/readers/IcoReader.h"
#include "writers/IconWriter.h"
#include "writers/WriterError.h"

namespace {

std::uint32_t U32At(const ByteString& bytes, std::size_t offset) {
    return ReadU32At(bytes, offset);
}

std::uint16_t U16At(const ByteString& bytes, std::size_t offset) {
    return ReadU16At(bytes, offset);
}

ByteString Range(const ByteString& bytes, std::size_t offset, std::size_t length) {
    ByteView view = Slice(bytes, offset, length);
    return {view.begin(), view.end()};
}

// A 16-byte directory entry as the writer lays it out.
ByteString Entry(std::uint8_t width, std::uint8_t height, std::uint8_t colours,
                 std::uint16_t planes, std::uint16_t bits, std::uint32_t size,
                 std::uint32_t offset) {
    return {width,
            height,
            colours,
            0,
            static_cast<std::uint8_t>(planes),
            static_cast<std::uint8_t>(planes >> 8),
            static_cast<std::uint8_t>(bits),
            static_cast<std::uint8_t>(bits >> 8),
            static_cast<std::uint8_t>(size),
            static_cast<std::uint8_t>(size >> 8),
            static_cast<std::uint8_t>(size >> 16),
            static_cast<std::uint8_t>(size >> 24),
            static_cast<std::uint8_t>(offset),
            static_cast<std::uint8_t>(offset >> 8),
            static_cast<std::uint8_t>(offset >> 16),
            static_cast<std::uint8_t>(offset >> 24)};
}

}  // namespace

TEST(IconWriter, OneFourBitImageIsLaidOutByteForByte) {
    TempDir dir;
    auto image = MakeImage(32, 32, 4);
    image->Planes = 1;
    for (int i = 0; i < 16; ++i)
        SetPaletteColor(*image, i, static_cast<std::uint8_t>(i), 0x40,
                        static_cast<std::uint8_t>(0x80 + i));
    image->Palette.Entries[3].Flags = 0x55;
    TImageRows& rows = image->EditRows();
    for (std::size_t i = 0; i < rows.ImageBits.size(); ++i)
        rows.ImageBits[i] = static_cast<std::uint8_t>(i * 7);
    rows.MaskBits.assign(rows.MaskBits.size(), 0xA5);
    std::string path = (dir.Path() / "one.ico").string();
    SaveImageAsIco(*image, path);

    ByteString file = ReadFileContent(path);
    ASSERT_EQ(file.size(), 22u + 744u);
    EXPECT_EQ(Range(file, 0, 6), (ByteString{0, 0, 1, 0, 1, 0}));
    EXPECT_EQ(Range(file, 6, 16), Entry(32, 32, 16, 1, 4, 744, 22));
    EXPECT_EQ(image->EntryPos, 14u);
    EXPECT_EQ(U32At(file, 22), 40u);
    EXPECT_EQ(U32At(file, 26), 32u);
    EXPECT_EQ(U32At(file, 30), 64u);  // header height doubled
    EXPECT_EQ(U16At(file, 34), 1);
    EXPECT_EQ(U16At(file, 36), 4);
    EXPECT_EQ(Range(file, 38, 24), ByteString(24, 0));
    // Palette entries go back as blue, green, red, flags.
    EXPECT_EQ(Range(file, 62, 4), (ByteString{0x80, 0x40, 0, 0}));
    EXPECT_EQ(Range(file, 62 + 12, 4), (ByteString{0x83, 0x40, 3, 0x55}));
    EXPECT_EQ(Range(file, 126, 512), image->ImageBits());
    EXPECT_EQ(Range(file, 638, 128), image->MaskBits());
}

TEST(IconWriter, SeveralImagesFollowEachOtherInListOrder) {
    TempDir dir;
    auto mono = MakeImage(48, 48, 1);
    auto rgba = MakeImage(16, 16, 32);
    auto cursor = MakeImage(32, 32, 8);
    cursor->Planes = 7;  // a cursor's hot-spot X
    SetPaletteColor(*mono, 1, 1, 2, 3);
    std::string path = (dir.Path() / "three.ico").string();
    WriteIconFile(path, {mono.get(), rgba.get(), cursor.get()});

    ByteString file = ReadFileContent(path);
    const std::uint32_t monoSize = 40 + 8 + 48 * 8 + 48 * 8;
    const std::uint32_t rgbaSize = 40 + 1024 + 64;
    const std::uint32_t cursorSize = 40 + 1024 + 32 * 32 + 32 * 4;
    ASSERT_EQ(file.size(), 54u + monoSize + rgbaSize + cursorSize);
    EXPECT_EQ(U16At(file, 4), 3);
    EXPECT_EQ(Range(file, 6, 16), Entry(48, 48, 2, 1, 1, monoSize, 54));
    EXPECT_EQ(Range(file, 22, 16), Entry(16, 16, 0, 1, 32, 1128, 54 + monoSize));
    EXPECT_EQ(Range(file, 38, 16), Entry(32, 32, 0, 7, 8, cursorSize, 54 + monoSize + 1128));
    EXPECT_EQ(Range(file, 54 + 40, 8), (ByteString{0, 0, 0, 0, 3, 2, 1, 0}));
    EXPECT_EQ(U16At(file, 54 + monoSize + 1128 + 12), 7);  // header planes carries it too
    EXPECT_EQ(mono->EntryPos, 14u);
    EXPECT_EQ(rgba->EntryPos, 30u);
    EXPECT_EQ(cursor->EntryPos, 46u);

    // What is written reads back to the same rows.
    auto read = ReadIcoFile(path);
    ASSERT_EQ(read->Images.size(), 3u);
    EXPECT_EQ(read->Images[0]->ImageBits(), mono->ImageBits());
    EXPECT_EQ(read->Images[1]->MaskBits(), rgba->MaskBits());
    EXPECT_EQ(read->Images[2]->Palette.Entries[0].Red, 0);
}

TEST(IconWriter, FullSizeAndPngStoredImagesKeepTheirData) {
    TempDir dir;
    auto large = MakeImage(256, 256, 32);
    SetRgba(*large, 0, 0, 1, 2, 3, 4);
    std::string path = (dir.Path() / "large.ico").string();
    SaveImageAsIco(*large, path);
    ByteString file = ReadFileContent(path);
    EXPECT_EQ(file[6], 0);  // directory bytes keep 0 for 256
    EXPECT_EQ(file[7], 0);
    EXPECT_EQ(U32At(file, 22 + 4), 256u);
    EXPECT_EQ(U32At(file, 22 + 8), 512u);
    auto read = ReadIcoFile(path);
    ASSERT_EQ(read->Images.size(), 1u);
    EXPECT_EQ(read->Images[0]->ImageBits(), large->ImageBits());

    PngSpec layout;
    layout.sample = [](int x, int, int channel) { return static_cast<std::uint16_t>(x + channel); };
    TLoadedIconImage png;
    png.Width = png.Height = 16;
    png.Planes = 1;
    png.BitCount = 32;
    ByteString stream = MakePngStream(layout);
    ASSERT_NO_THROW(png.DecodeImage(stream, true));
    std::string pngPath = (dir.Path() / "png.ico").string();
    SaveImageAsIco(png, pngPath);
    ByteString pngFile = ReadFileContent(pngPath);
    EXPECT_EQ(Range(pngFile, 6, 16),
              Entry(16, 16, 0, 1, 32, static_cast<std::uint32_t>(stream.size()), 22));
    EXPECT_EQ(Range(pngFile, 22, stream.size()), stream);
}

TEST(IconWriter, ReplacesOldFilesAndRaisesWhenItCannotWrite) {
    TempDir dir;
    std::string path = dir.Write("old.ico", ByteString(5000, 0xEE));
    auto image = MakeImage(16, 16, 32);
    SaveImageAsIco(*image, path);
    EXPECT_EQ(std::filesystem::file_size(path), 22u + 1128u);

    std::string missing = (dir.Path() / "no-such-folder" / "x.ico").string();
    try {
        SaveImageAsIco(*image, missing);
        FAIL() << "no error for a missing folder";
    } catch (const TWriteError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Error Opening File " + missing + "! (No such file or directory)");
    }

    std::filesystem::create_directory(dir.Path() / "folder.ico");
    EXPECT_THROW(SaveImageAsIco(*image, (dir.Path() / "folder.ico").string()), TWriteError);
    EXPECT_TRUE(std::filesystem::is_directory(dir.Path() / "folder.ico"));
}

TEST(IconWriter, ImagesWithoutPixelDataAreLeftOut) {
    TempDir dir;
    TLoadedIconImage shell;
    shell.Width = shell.Height = 32;
    shell.IsSystemIcon = true;
    std::string path = dir.Write("keep.ico", ByteString{1, 2, 3});
    EXPECT_THROW(SaveImageAsIco(shell, path), TWriteError);
    EXPECT_EQ(ReadFileContent(path), (ByteString{1, 2, 3}));  // nothing touched

    auto image = MakeImage(16, 16, 4);
    WriteIconFile(path, {&shell, image.get()});
    ByteString file = ReadFileContent(path);
    EXPECT_EQ(U16At(file, 4), 1);
    EXPECT_EQ(file.size(), 22u + 40 + 64 + 128 + 64);
}
