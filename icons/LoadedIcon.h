#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
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

// The 256 entries of a logical palette, each black with flags 0 until it is set. Only the
// entries up to the last one set are held: most of today's images have no palette, and a
// listing holds thousands of images at once.
class TPaletteEntries {
public:
    static constexpr std::size_t size() { return 256; }
    const TPaletteEntry& operator[](std::size_t index) const {
        static constexpr TPaletteEntry kUnset{};
        return index < set_.size() ? set_[index] : kUnset;
    }
    TPaletteEntry& operator[](std::size_t index) {
        if (index >= set_.size()) set_.resize(index + 1);
        return set_[index];
    }
    void Reserve(std::size_t count) { set_.reserve(count); }

private:
    std::vector<TPaletteEntry> set_;
};

// A logical palette record: version word 0x300, entry count, 256 entries.
struct TLogPalette {
    std::uint16_t Version = 0;
    std::uint16_t NumEntries = 0;
    TPaletteEntries Entries;
};

// An icon known only through the operating system (the shell fallback reader). Platforms
// without shell icon extraction never create one.
class TSystemIcon {
public:
    virtual ~TSystemIcon() = default;
    // Draws the icon with the system's own icon drawing, its top-left corner at (X, Y).
    virtual void Draw(TCanvas& Canvas, int X, int Y) const = 0;
};

// Where a cursor points: the pixel of its image, counted from the top-left corner, that the
// pointer's position is.
struct THotSpot {
    std::uint16_t X = 0;
    std::uint16_t Y = 0;
    friend bool operator==(const THotSpot&, const THotSpot&) = default;
};

struct TAniAnimation;

// What the header chunk of a PNG-stored image says.
struct TPngHeader {
    std::uint32_t Width = 0;
    std::uint32_t Height = 0;
    std::uint8_t BitDepth = 0;
    std::uint8_t ColorType = 0;
    std::uint8_t Interlace = 0;
};

// One icon or cursor group as the file stores it: the group's own header (reserved word, type
// word, entry count) as read so that the group can be written back byte for byte. The
// images of a group point at it; an .ico or .cur file is one group.
struct TIconGroupRecord {
    std::array<std::uint8_t, 6> Header{};
};

// The record of the group whose resource (or file) starts Group; throws TReadError when it
// is shorter than the header.
std::shared_ptr<const TIconGroupRecord> ReadGroupRecord(ByteView Group);

// The pixel rows of one image, bottom row first: colour (XOR) rows and mask (AND) rows. An
// image whose stored data cannot be decoded holds empty rows and says why in DecodeError.
struct TImageRows {
    ByteString ImageBits;
    std::int32_t ImageStride = 0;
    ByteString MaskBits;
    std::uint32_t MaskStride = 0;
    std::string DecodeError;
};

// Rows prepared for display: a copy of the colour rows for 1, 24 and 32 bits (then held as
// the colour rows themselves), the image converted to 24 bits for 4, 8 and 16 bits.
struct TDisplayRows {
    ByteString Converted;
    bool SharesImageRows = false;
    std::int32_t DisplayStride = 0;
};

// One image format of an icon: one size and colour depth, with palette, colour rows and mask.
// Loading reads the directory entry, the header and the palette, and keeps the stored bytes;
// the rows are decoded from them once, when first asked for. Several threads may ask at once.
class TLoadedIconImage {
public:
    TLoadedIcon* Owner = nullptr;
    std::unique_ptr<TSystemIcon> SystemIcon;
    std::uint8_t Width = 0;
    std::uint8_t Height = 0;
    std::uint8_t ColorCount = 0;
    std::uint8_t Reserved = 0;
    std::uint16_t Planes = 0;
    std::uint16_t BitCount = 0;
    std::uint32_t BytesInRes = 0;
    std::uint32_t ImageOffset = 0;
    std::string ResourceName;
    TLogPalette Palette;
    bool HasPalette = false;
    bool IsSystemIcon = false;
    // Read from a cursor group of an executable rather than from an icon group.
    bool IsCursor = false;
    // An executable's icon image that no group names, kept when its groups were lost.
    bool IsLoose = false;
    std::uint32_t EntryPos = 0;
    // The first 12 bytes of the directory entry as stored, before the fields above were
    // normalised from them; zero for images not read from a directory.
    std::array<std::uint8_t, 12> RawEntry{};
    // The group the image was read from; none for animated cursor frames and shell icons.
    std::shared_ptr<const TIconGroupRecord> Group;
    // A cursor image's hot spot (from a cursor directory's entry or a cursor resource's head);
    // none for icons.
    std::optional<THotSpot> HotSpot;

    // Size in pixels. The directory stores 256 as the byte 0, so everything that computes
    // with pixels goes through these rather than Width and Height.
    int PixelWidth() const { return Width == 0 ? 256 : Width; }
    int PixelHeight() const { return Height == 0 ? 256 : Height; }

    // Reads the header and palette from the image data and keeps the bytes the rows come from.
    // With IsResource false, Data is the whole file (or chunk) and the image is cut out at
    // ImageOffset, BytesInRes bytes; otherwise Data is the image itself. Returns false when
    // mask and colour rows would be all zero bytes. An image whose own header is impossible (a
    // header size no bitmap has, a bit count other than 1, 4, 8, 16, 24 or 32), or whose
    // header or palette is cut short, is damaged. One that the file ends inside is damaged
    // too, unless every byte its header says the pixels take lies before the end: what
    // BytesInRes claims beyond that is no loss. A damaged image keeps its directory values,
    // and the header's where the header was read.
    bool DecodeImage(ByteView Data, bool IsResource);
    // The same for image data that the file ends inside: Data is what the file holds of it (or
    // the first of those bytes, for a listing), Cut how many bytes that is in all and the
    // reason the image is damaged when they do not hold its pixels.
    struct TCut {
        std::uint64_t Held = 0;
        std::string Reason;
    };
    bool DecodeImage(ByteView Data, const TCut& Cut);
    // Marks the image damaged for Reason: it keeps its directory values and the bytes it has,
    // and holds empty rows.
    void MarkDamaged(std::string Reason, ByteView Present = {});
    // Lets go of the stored bytes once a listing has read its head from them: what the head
    // told is kept, and the rows of such an image are never decoded.
    void ForgetStoredBytes();

    // The rows, decoded on the first call.
    const TImageRows& Rows() const;
    const ByteString& ImageBits() const { return Rows().ImageBits; }
    std::int32_t ImageStride() const { return Rows().ImageStride; }
    const ByteString& MaskBits() const { return Rows().MaskBits; }
    std::uint32_t MaskStride() const { return Rows().MaskStride; }
    // Why the image cannot be shown, its rows decoded when that is not yet known; empty for a
    // sound image (or one never read from a file).
    const std::string& Damage() const;
    // Why the image is damaged, as far as reading the file found without decoding pixels.
    const std::string& LoadDamage() const { return damage_; }
    // The rows have been decoded (or set); a listing never decodes them.
    bool Decoded() const;

    // Display rows, built on the first call from the rows (see PrepareDisplayBits).
    const ByteString& DisplayBits() const;
    std::int32_t DisplayStride() const;
    bool Prepared() const;

    // The image's bytes as the file stores them (the icon resource, or the data of a file's
    // directory entry), cut where the file ends; empty for images never read from a file.
    const ByteString& StoredBytes() const;
    // The stored stream of an image kept as PNG, so that writing it back loses nothing; empty
    // for bitmap images.
    const ByteString& PngData() const;
    // The header chunk of a PNG-stored image, read at load.
    const TPngHeader& PngHeader() const { return pngHeader_; }
    // Bytes the image holds once decoded: its stored bytes and its rows, known without
    // decoding.
    std::size_t DecodedSize() const;

    // Images built in memory rather than read: the rows are set, or changed in place, before
    // the image is shared. Setting them clears the display rows; changes in place are not seen
    // by display rows already built. An image that was never read holds empty rows.
    void SetRows(TImageRows Rows);
    TImageRows& EditRows();

private:
    void Reset();
    bool Decode(ByteView data, const TCut* cut);
    // Reads the bit count and palette; the reason is left in damage_ when the header is
    // impossible or the header or palette is cut short.
    enum class THeaderRead { Whole, Short, Impossible };
    THeaderRead ReadBitmapHeader(ByteReader& data);
    // Bytes a bitmap image of this size and bit count takes: header, palette, colour and mask
    // rows.
    std::uint64_t BitmapBytes() const;
    void ReadPngHeader(ByteView data);
    const TDisplayRows& Display() const;
    TImageRows DecodeRows() const;

    bool read_ = false;
    bool isPng_ = false;
    TPngHeader pngHeader_;
    ByteString stored_;       // the image's bytes as stored: header, palette and rows, or PNG
    std::size_t bitsAt_ = 0;  // where the rows start in stored_
    std::string damage_;      // why the rows cannot be decoded, known from reading the file
    mutable std::mutex rowsLock_;
    mutable std::optional<TImageRows> rows_;
    mutable std::mutex displayLock_;
    mutable std::optional<TDisplayRows> display_;
};

// Where the icon a shortcut stands for was read: the Windows path the shortcut names, the file
// here that path leads to, and the shortcut's icon index.
struct TIconSource {
    std::string WindowsPath;
    std::string Path;
    std::int32_t Index = 0;
};

// Everything read from one source file: every image format of every icon group.
class TLoadedIcon {
public:
    std::int32_t ImageCount = 0;
    std::int32_t MaxWidth = 0;
    std::int32_t MaxHeight = 0;
    std::vector<std::unique_ptr<TLoadedIconImage>> Images;
    std::string FileName;
    // Why entries of the file were lost (a directory or group cut short); empty when every
    // entry was read.
    std::string Damage;
    // For a shortcut (.lnk, .url), where its icon group was read; it holds only that group.
    std::optional<TIconSource> Source;
    // An animated cursor's frames, steps and timing (icons/AniAnimation.h); none otherwise.
    std::shared_ptr<const TAniAnimation> Animation;

    // The image at Index; throws std::out_of_range for an index outside the list.
    TLoadedIconImage& GetImage(std::int32_t Index) const;
    void UpdateMaxSize(std::int32_t NewWidth, std::int32_t NewHeight);
    // Creates an image owned by this icon from the directory entry at the front of Data, keeping
    // its first 12 bytes as RawEntry, and consumes the entry (14 bytes for a group entry, 16 for a
    // file entry). The caller adds the image to Images.
    std::unique_ptr<TLoadedIconImage> ReadDirEntry(ByteReader& Data, bool GroupEntry);
    // The same for the 14-byte entry of a cursor group: width and height as words (the height
    // counts colour and mask rows, so it is twice the cursor's), planes, bit count, size and
    // the id of the cursor image resource. Throws TReadError for a size outside 1 to 256.
    std::unique_ptr<TLoadedIconImage> ReadCursorEntry(ByteReader& Data);
    // Records why entries were lost; the first reason found is kept.
    void NoteDamage(std::string Reason);
    // Appends an image and returns it.
    TLoadedIconImage& AddImage(std::unique_ptr<TLoadedIconImage> Image);
};

// Where an RT_ICON resource lies in a 16-bit executable; both values already multiplied by
// the resource table's alignment.
struct TIconImageOffset {
    std::int32_t Offset = 0;
    std::uint32_t Length = 0;
};
