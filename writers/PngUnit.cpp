#include "writers/PngUnit.h"

#include <png.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "icons/Rendering.h"
#include "writers/DrawnMask.h"
#include "writers/OutputFile.h"
#include "writers/PngPassThrough.h"
#include "writers/WriterError.h"

const char kPngSoftware[] = "Marrowby 2 Pro (https://marrowby.example/)";

namespace {

const char* const kWriteError = "Error Writing PNG File!";

// libpng's errors leave through the jump buffer set in WritePngStream; nothing is printed.
void RaisePngError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

void IgnorePngWarning(png_structp, png_const_charp) {}

// Appends what libpng writes to the byte string it was given; a failure to grow it is
// libpng's error.
void AppendToBytes(png_structp png, png_bytep data, png_size_t length) {
    try {
        auto* bytes = static_cast<ByteString*>(png_get_io_ptr(png));
        bytes->insert(bytes->end(), data, data + length);
    } catch (const std::exception&) {
        png_error(png, "out of memory");
    }
}

void FlushNothing(png_structp) {}

// Runs libpng's write sequence into Io through Write and Flush (both null for a C file
// handle). libpng reports errors by longjmp back into this frame, so it holds nothing with a
// destructor. Returns false when libpng failed.
bool WritePngStream(png_voidp io, png_rw_ptr write, png_flush_ptr flush, const TPngBuffer& buffer,
                    png_bytepp rows, const png_color_16* background) {
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, RaisePngError, IgnorePngWarning);
    if (png == nullptr) return false;
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, io, write, flush);
    png_set_write_status_fn(png, nullptr);
    // Icons are small: the fastest compression with one filter (no per-row filter trial)
    // costs a little size and a large part of the time.
    png_set_compression_level(png, 1);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
    png_set_IHDR(png, info, static_cast<png_uint_32>(buffer.Width),
                 static_cast<png_uint_32>(buffer.Height), buffer.BitDepth, buffer.ColorType,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    char key[] = "Software";
    char software[sizeof kPngSoftware];
    std::memcpy(software, kPngSoftware, sizeof kPngSoftware);
    png_text text{};
    text.compression = PNG_TEXT_COMPRESSION_NONE;
    text.key = key;
    text.text = software;
    text.text_length = std::strlen(software);
    png_set_text(png, info, &text, 1);
    if (background != nullptr) png_set_bKGD(png, info, background);
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, info);
    png_write_flush(png);
    png_destroy_write_struct(&png, &info);
    return true;
}

png_color_16 BackgroundChunk(TColor colour) {
    png_color_16 background{};
    background.red = colour.Red;
    background.green = colour.Green;
    background.blue = colour.Blue;
    return background;
}

// Grey level = opacity: white where the mask is opaque and black where it is transparent.
// Images without rows come out fully transparent.
TBitmap CreateOpacityBitmap(TLoadedIconImage& image) {
    TBitmap opacity(image.PixelWidth(), image.PixelHeight(), TPixelFormat::pf24bit);
    opacity.Canvas().BrushColor = clBlack;
    opacity.Canvas().FillRect(0, 0, opacity.Width(), opacity.Height());
    if (image.IsSystemIcon) {
        opacity.Canvas().Draw(0, 0, DrawnMask(image), TRasterOp::MERGEPAINT);
    } else {
        DrawMaskInverted(image, opacity.Canvas(), 0, 0);
    }
    return opacity;
}

// Packs a colour bitmap and an opacity bitmap into Buffer, which is of their size.
void PackBitmaps(const TBitmap& color, const TBitmap& opacityBitmap, TPngBuffer& buffer) {
    if (color.PixelFormat() != TPixelFormat::pf24bit ||
        opacityBitmap.PixelFormat() != TPixelFormat::pf24bit ||
        color.Width() != opacityBitmap.Width() || color.Height() != opacityBitmap.Height())
        throw std::invalid_argument("PNG colour and opacity bitmaps must be 24-bit, equal size");
    for (int r = 0; r < buffer.Height; ++r) {
        const std::uint8_t* colour = color.ScanLine(r);
        const std::uint8_t* opacity = opacityBitmap.ScanLine(r);
        std::uint8_t* out = buffer.Rows[static_cast<std::size_t>(r)];
        for (int x = 0; x < buffer.Width;
             ++x, colour += 3, opacity += 3, out += buffer.BytesPerPixel) {
            out[0] = colour[2];
            out[1] = colour[1];
            out[2] = colour[0];
            out[3] = opacity[0];
        }
    }
}

}  // namespace

TPngBuffer::TPngBuffer(std::int32_t Width, std::int32_t Height)
    : Width(Width),
      Height(Height),
      Pixels(static_cast<std::size_t>(Width) * static_cast<std::size_t>(Height) *
             static_cast<std::size_t>(BytesPerPixel)),
      Rows(static_cast<std::size_t>(Height)) {
    const auto rowBytes = static_cast<std::size_t>(Width) * static_cast<std::size_t>(BytesPerPixel);
    for (std::size_t r = 0; r < Rows.size(); ++r) Rows[r] = Pixels.data() + r * rowBytes;
}

TPngBuffer::TPngBuffer(const TRgbaImage& Image) : TPngBuffer(Image.Width, Image.Height) {
    std::copy(Image.Pixels.begin(), Image.Pixels.end(), Pixels.begin());
}

ByteString ImagePngStream(TLoadedIconImage& Image, TColor Background) {
    if (WritesStoredPng(Image)) {
        if (std::optional<ByteString> stream = StoredPngWithChunks(Image.PngData(), Background))
            return std::move(*stream);
    }
    if (AlphaDecides(Image)) {
        // Every pixel as stored, its colour kept whatever its alpha.
        return EncodePng(TPngBuffer(StraightAlphaImage(Image)), Background, true);
    }
    TBitmap opacity = CreateOpacityBitmap(Image);
    // Drawing replaces every pixel of a bitmap image (transparent ones by the white brush);
    // the white fill only shows where nothing is drawn: system icons and images without rows.
    TBitmap colour = DrawOverBackground(Image, clWhite);
    TPngBuffer buffer(colour.Width(), colour.Height());
    PackBitmaps(colour, opacity, buffer);
    return EncodePng(buffer, Background, true);
}

void SaveImageAsPng(TLoadedIconImage& Image, const TOutputTarget& Target, TColor Background) {
    WriteOutputFile(Target, ImagePngStream(Image, Background), kWriteError);
}

void SaveBitmapsAsPng(const TOutputTarget& Target, const TBitmap& Color, const TBitmap& Opacity,
                      TColor Background) {
    TPngBuffer buffer(Color.Width(), Color.Height());
    PackBitmaps(Color, Opacity, buffer);
    WritePngFile(buffer, Target, Background, true);
}

ByteString EncodePng(const TPngBuffer& Buffer, TColor Background, bool WriteBackground) {
    ByteString bytes;
    png_color_16 background = BackgroundChunk(Background);
    // libpng takes the row table as non-const pointers but only reads the rows.
    auto rows = const_cast<png_bytepp>(Buffer.Rows.data());
    if (!WritePngStream(&bytes, AppendToBytes, FlushNothing, Buffer, rows,
                        WriteBackground ? &background : nullptr))
        throw TWriteError(kWriteError);
    return bytes;
}

void WritePngFile(const TPngBuffer& Buffer, const TOutputTarget& Target, TColor Background,
                  bool WriteBackground) {
    TOutputFile file(Target);
    png_color_16 background = BackgroundChunk(Background);
    // libpng takes the row table as non-const pointers but only reads the rows.
    auto rows = const_cast<png_bytepp>(Buffer.Rows.data());
    if (!WritePngStream(file.Handle(), nullptr, nullptr, Buffer, rows,
                        WriteBackground ? &background : nullptr))
        file.Fail(kWriteError);
    file.Commit(kWriteError);
}
