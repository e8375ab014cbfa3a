#include "writers/GifImage.h"

#include <algorithm>
#include <stdexcept>

#include "writers/ByteWriter.h"
#include "writers/GifLZWEncoder.h"
#include "writers/OutputFile.h"
#include "writers/WriterError.h"

namespace {

constexpr std::uint8_t kExtensionIntroducer = 0x21;
constexpr std::uint8_t kGraphicControlLabel = 0xF9;
constexpr std::uint8_t kImageSeparator = 0x2C;
constexpr std::uint8_t kTrailer = 0x3B;
constexpr std::size_t kMaxSubBlock = 255;

bool IsPalettised(TPixelFormat format) {
    return format == TPixelFormat::pf1bit || format == TPixelFormat::pf4bit ||
           format == TPixelFormat::pf8bit;
}

ByteString PixelsOf(const TBitmap& bitmap) {
    if (!IsPalettised(bitmap.PixelFormat()))
        throw std::invalid_argument("a GIF frame takes a palettised bitmap");
    ByteString pixels;
    pixels.reserve(static_cast<std::size_t>(bitmap.Width()) *
                   static_cast<std::size_t>(bitmap.Height()));
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            pixels.push_back(static_cast<std::uint8_t>(bitmap.RawPixel(x, y)));
    return pixels;
}

std::uint16_t ScreenSide(int side) {
    if (side < 0 || side > 0xFFFF) throw std::invalid_argument("GIF sides are 16-bit");
    return static_cast<std::uint16_t>(side);
}

void WriteSubBlocks(TByteWriter& out, ByteView data) {
    while (!data.empty()) {
        std::size_t length = std::min(data.size(), kMaxSubBlock);
        out.U8(static_cast<std::uint8_t>(length)).Bytes(data.first(length));
        data = data.subspan(length);
    }
    out.U8(0);
}

}  // namespace

void TGIFGraphicControlExtension::WriteTo(TByteWriter& Out) const {
    Out.U8(kExtensionIntroducer).U8(kGraphicControlLabel).U8(4);
    Out.U8(Transparent ? 1 : 0).U16(0).U8(TransparentColorIndex);
    Out.U8(0);
}

TGIFSubImage::TGIFSubImage(const TBitmap& Bitmap)
    : width_(Bitmap.Width()),
      height_(Bitmap.Height()),
      colorMap_(Bitmap.Palette),
      pixels_(PixelsOf(Bitmap)) {
    if (colorMap_.size() > 256) throw std::invalid_argument("a GIF colour table holds 256");
}

int TGIFSubImage::ColorTableBits() const {
    int bits = 1;
    while ((std::size_t{1} << bits) < colorMap_.size()) ++bits;
    return bits;
}

void TGIFSubImage::WriteTo(TByteWriter& Out) const {
    for (std::uint8_t pixel : pixels_)
        if (pixel >= colorMap_.size()) throw TWriteError("Color not in color table");
    if (GraphicControl) GraphicControl->WriteTo(Out);
    const int bits = ColorTableBits();
    Out.U8(kImageSeparator).U16(0).U16(0).U16(ScreenSide(width_)).U16(ScreenSide(height_));
    Out.U8(static_cast<std::uint8_t>(0x80 | (bits - 1)));  // local table, not interlaced
    for (std::size_t i = 0; i < (std::size_t{1} << bits); ++i) {
        TColor entry = i < colorMap_.size() ? colorMap_[i] : clBlack;
        Out.U8(entry.Red).U8(entry.Green).U8(entry.Blue);
    }
    const int minCodeSize = std::max(bits, 2);
    Out.U8(static_cast<std::uint8_t>(minCodeSize));
    WriteSubBlocks(Out, TLZWEncoder(minCodeSize).Encode(pixels_));
}

TGIFSubImage& TGIFImage::Add(const TBitmap& Bitmap) {
    return images_.emplace_back(Bitmap);
}

ByteString TGIFImage::SaveToBytes() const {
    bool extended = std::any_of(images_.begin(), images_.end(), [](const TGIFSubImage& image) {
        return image.GraphicControl.has_value();
    });
    int width = 0;
    int height = 0;
    for (const TGIFSubImage& image : images_) {
        width = std::max(width, image.Width());
        height = std::max(height, image.Height());
    }
    TByteWriter out;
    out.Bytes(ByteView(reinterpret_cast<const std::uint8_t*>(extended ? "GIF89a" : "GIF87a"), 6));
    out.U16(ScreenSide(width)).U16(ScreenSide(height));
    out.U8(0x70).U8(0).U8(0);  // 8-bit colour resolution, no global table; no aspect ratio
    for (const TGIFSubImage& image : images_) image.WriteTo(out);
    out.U8(kTrailer);
    return out.Data();
}

void TGIFImage::SaveToFile(const TOutputTarget& Target) const {
    ByteString bytes = SaveToBytes();
    WriteOutputFile(Target, bytes, "Error Writing GIF File!");
}
