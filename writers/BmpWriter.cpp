#include "writers/BmpWriter.h"

#include <stdexcept>

#include "icons/Rendering.h"
#include "writers/ByteWriter.h"
#include "writers/OutputFile.h"

namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;

}  // namespace

ByteString EncodeBmp(const TBitmap& Bitmap) {
    if (Bitmap.PixelFormat() != TPixelFormat::pf24bit)
        throw std::invalid_argument("BMP output takes a 24-bit bitmap");
    const auto stride = static_cast<std::uint32_t>(Bitmap.Stride());
    const auto rowsSize = stride * static_cast<std::uint32_t>(Bitmap.Height());
    const std::uint32_t offset = kFileHeaderSize + kInfoHeaderSize;
    TByteWriter out;
    out.U8('B').U8('M').U32(offset + rowsSize).U16(0).U16(0).U32(offset);
    out.U32(kInfoHeaderSize)
        .U32(static_cast<std::uint32_t>(Bitmap.Width()))
        .U32(static_cast<std::uint32_t>(Bitmap.Height()))
        .U16(1)         // planes
        .U16(24)        // bits per pixel
        .U32(0)         // no compression
        .U32(rowsSize)  // size of the pixel rows
        .U32(0)         // horizontal resolution: unspecified
        .U32(0)         // vertical resolution: unspecified
        .U32(0)         // no colour table
        .U32(0);        // all colours important
    // The bitmap's rows run top first; the file's run bottom first.
    for (int y = Bitmap.Height() - 1; y >= 0; --y) out.Bytes(ByteView(Bitmap.ScanLine(y), stride));
    return out.Data();
}

void SaveImageAsBmp(TLoadedIconImage& Image, const TOutputTarget& Target, TColor Background) {
    WriteOutputFile(Target, EncodeBmp(DrawOverBackground(Image, Background)),
                    "Error Writing BMP File!");
}
