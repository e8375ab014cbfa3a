#include "writers/IconWriter.h"

#include <algorithm>
#include <iterator>

#include "writers/ByteWriter.h"
#include "writers/OutputFile.h"
#include "writers/WriterError.h"

namespace {

constexpr std::uint32_t kBitmapHeaderSize = 40;

// Damaged images are left out with the shell's: their bytes would make a broken entry.
bool HasPixelData(const TLoadedIconImage& Image) {
    if (!Image.Damage().empty()) return false;
    return !Image.PngData().empty() || (!Image.ImageBits().empty() && !Image.MaskBits().empty());
}

// Palettised images carry 2^BitCount entries, as the reader expects them.
std::size_t PaletteEntries(const TLoadedIconImage& Image) {
    return Image.BitCount >= 1 && Image.BitCount <= 8 ? std::size_t{1} << Image.BitCount : 0;
}

std::uint8_t ColourCountByte(const TLoadedIconImage& Image) {
    std::size_t entries = PaletteEntries(Image);
    return entries < 256 ? static_cast<std::uint8_t>(entries) : 0;
}

void AppendBitmapBlock(TByteWriter& Out, const TLoadedIconImage& Image) {
    Out.U32(kBitmapHeaderSize)
        .U32(static_cast<std::uint32_t>(Image.PixelWidth()))
        .U32(static_cast<std::uint32_t>(2 * Image.PixelHeight()))
        .U16(Image.Planes)
        .U16(Image.BitCount)
        .Zeros(24);
    for (std::size_t i = 0; i < PaletteEntries(Image); ++i) {
        const TPaletteEntry& entry = Image.Palette.Entries[i];
        Out.U8(entry.Blue).U8(entry.Green).U8(entry.Red).U8(entry.Flags);
    }
    Out.Bytes(Image.ImageBits()).Bytes(Image.MaskBits());
}

void AppendBlock(TByteWriter& Out, const TLoadedIconImage& Image) {
    if (Image.PngData().empty()) {
        AppendBitmapBlock(Out, Image);
    } else {
        Out.Bytes(Image.PngData());
    }
}

ByteString BuildIconFile(const std::vector<TLoadedIconImage*>& Images) {
    TByteWriter out;
    out.U16(0).U16(1).U16(static_cast<std::uint16_t>(Images.size()));
    for (TLoadedIconImage* image : Images) {
        out.U8(image->Width).U8(image->Height).U8(ColourCountByte(*image)).U8(0);
        out.U16(image->Planes).U16(image->BitCount);
        image->EntryPos = static_cast<std::uint32_t>(out.Size());
        out.U32(0).U32(0);
    }
    for (TLoadedIconImage* image : Images) {
        std::size_t start = out.Size();
        AppendBlock(out, *image);
        out.PatchU32(image->EntryPos, static_cast<std::uint32_t>(out.Size() - start));
        out.PatchU32(image->EntryPos + 4, static_cast<std::uint32_t>(start));
    }
    return out.Data();
}

}  // namespace

void WriteIconFile(const TOutputTarget& Target, const std::vector<TLoadedIconImage*>& Images) {
    std::vector<TLoadedIconImage*> written;
    std::copy_if(Images.begin(), Images.end(), std::back_inserter(written),
                 [](const TLoadedIconImage* image) { return image && HasPixelData(*image); });
    if (written.empty()) throw TWriteError("The icon holds no image with pixel data to write");
    if (written.size() > 0xFFFF) throw TWriteError("An icon file holds at most 65535 images");
    WriteOutputFile(Target, BuildIconFile(written), "Error Writing Icon File!");
}

void SaveImageAsIco(TLoadedIconImage& Image, const TOutputTarget& Target) {
    WriteIconFile(Target, {&Image});
}
