#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "icons/ByteReader.h"

class TLoadedIcon;
class TCanvas;

// One entry of a logical palette: red, green, blue, flags (the order GDI uses).
struct TPaletteEntry {
    std::uint8_t Red = 0;
    std::uint8_t Green = 0;
    std::uint8_t Blue = 0;
    std::uint8_t Flags = 0;
};

// A logical palette record: version word 0x300, entry count, 256 entries.
struct TLogPalette {
    std::uint16_t Version = 0;
    std::uint16_t NumEntries = 0;
    std::array<TPaletteEntry, 256> Entries{};
};

// An icon known only through the operating system (the shell fallback reader). Platforms
// without shell icon extraction never create one.
class TSystemIcon {
public:
    virtual ~TSystemIcon() = default;
    // Draws the icon with the system's own icon drawing, its top-left corner at (X, Y).
    virtual void Draw(TCanvas& Canvas, int X, int Y) const = 0;
};

// One image format of an icon: one size and colour depth, with palette, colour rows and mask.
class TLoadedIconImage {
public:
    TLoadedIcon* Owner = nullptr;
    std::unique_ptr<TSystemIcon> SystemIcon;
    ByteString MaskBits;
    ByteString DisplayBits;
    ByteString ImageBits;
    std::int32_t ImageStride = 0;
    std::int32_t DisplayStride = 0;
    std::uint32_t MaskStride = 0;
    std::uint8_t Width = 0;
    std::uint8_t Height = 0;
    std::uint8_t ColorCount = 0;
    std::uint8_t Reserved = 0;
    std::uint16_t Planes = 0;
    std::uint16_t BitCount = 0;
    std::uint32_t BytesInRes = 0;
    std::uint32_t ImageOffset = 0;
    std::string ResourceName;
    bool Prepared = false;
    TLogPalette Palette;
    bool HasPalette = false;
    bool IsSystemIcon = false;
    // Read from a cursor group of an executable rather than from an icon group.
    bool IsCursor = false;
    std::uint32_t EntryPos = 0;
    // The original stream of an image stored as PNG, kept so that writing it back loses
    // nothing; empty for bitmap images.
    ByteString PngData;

    // Size in pixels. The directory stores 256 as the byte 0, so everything that computes
    // with pixels goes through these rather than Width and Height.
    int PixelWidth() const { return Width == 0 ? 256 : Width; }
    int PixelHeight() const { return Height == 0 ? 256 : Height; }

    // Fills palette, colour rows and mask rows from the image data. With IsResource false,
    // Data is the whole file (or chunk) and the image is cut out at ImageOffset, BytesInRes
    // bytes; otherwise Data is the image itself. Returns false when mask and colour rows are
    // all zero bytes.
    bool DecodeImage(ByteView Data, bool IsResource);

private:
    void DecodeBitmap(ByteReader& data);
    void DecodePng(ByteView data);
};

// Everything read from one source file: every image format of every icon group.
class TLoadedIcon {
public:
    std::int32_t ImageCount = 0;
    std::int32_t MaxWidth = 0;
    std::int32_t MaxHeight = 0;
    std::vector<std::unique_ptr<TLoadedIconImage>> Images;
    std::string FileName;

    // The image at Index; throws std::out_of_range for an index outside the list.
    TLoadedIconImage& GetImage(std::int32_t Index) const;
    void UpdateMaxSize(std::int32_t NewWidth, std::int32_t NewHeight);
    // Creates an image owned by this icon from the directory entry at the front of Data and
    // consumes the entry (14 bytes for a group entry, 16 for a file entry). The caller adds
    // the image to Images.
    std::unique_ptr<TLoadedIconImage> ReadDirEntry(ByteReader& Data, bool GroupEntry);
    // The same for the 14-byte entry of a cursor group: width and height as words (the height
    // counts colour and mask rows, so it is twice the cursor's), planes, bit count, size and
    // the id of the cursor image resource. Throws TReadError for a size outside 1 to 256.
    std::unique_ptr<TLoadedIconImage> ReadCursorEntry(ByteReader& Data);
    // Appends an image and returns it.
    TLoadedIconImage& AddImage(std::unique_ptr<TLoadedIconImage> Image);
};

// Where an RT_ICON resource lies in a 16-bit executable; both values already multiplied by
// the resource table's alignment.
struct TIconImageOffset {
    std::int32_t Offset = 0;
    std::uint32_t Length = 0;
};
