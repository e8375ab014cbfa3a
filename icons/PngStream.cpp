#include "icons/PngStream.h"

#include <png.h>

#include <cstring>
#include <string>

namespace {

constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

struct TMemorySource {
    ByteView data;
    std::size_t pos = 0;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t length) {
    auto* source = static_cast<TMemorySource*>(png_get_io_ptr(png));
    if (length > source->data.size() - source->pos) png_error(png, "PNG stream is truncated");
    std::memcpy(out, source->data.data() + source->pos, length);
    source->pos += length;
}

void SilentWarning(png_structp, png_const_charp) {}

// libpng's own message, such as "IDAT: CRC error", becomes the reason instead of a line on
// stderr.
void CapturedError(png_structp png, png_const_charp message) {
    *static_cast<std::string*>(png_get_error_ptr(png)) = message;
    png_longjmp(png, 1);
}

// Keeps libpng's longjmp inside a frame that holds no C++ objects with destructors: the
// caller owns every buffer and passes them in. Returns nullptr on success, else the reason.
const char* DecodeInto(TMemorySource* source, TDecodedPng* result, png_bytep* rows,
                       std::size_t maxRows, std::string* libraryError) {
    png_structp png =
        png_create_read_struct(PNG_LIBPNG_VER_STRING, libraryError, CapturedError, SilentWarning);
    if (!png) return "Cannot create the PNG reader";
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return libraryError->empty() ? "Corrupt PNG image data" : libraryError->c_str();
    }
    png_set_read_fn(png, source, ReadFromMemory);
    png_set_user_limits(png, kMaxPngSide, kMaxPngSide);
    png_set_chunk_malloc_max(png, 8u << 20);
    png_read_info(png, info);

    png_set_expand(png);  // palette to RGB, grey below 8 bits to 8, tRNS to alpha
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);

    result->Width = static_cast<int>(png_get_image_width(png, info));
    result->Height = static_cast<int>(png_get_image_height(png, info));
    if (static_cast<std::size_t>(result->Height) > maxRows ||
        png_get_rowbytes(png, info) != static_cast<std::size_t>(result->Width) * 4) {
        png_destroy_read_struct(&png, &info, nullptr);
        return "Unsupported PNG image layout";
    }
    result->Rgba.resize(static_cast<std::size_t>(result->Width) * result->Height * 4);
    for (int y = 0; y < result->Height; ++y) {
        rows[y] = result->Rgba.data() + static_cast<std::size_t>(y) * result->Width * 4;
    }
    png_read_image(png, rows);
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return nullptr;
}

}  // namespace

bool IsPngStream(ByteView data) {
    return data.size() >= sizeof kSignature &&
           std::memcmp(data.data(), kSignature, sizeof kSignature) == 0;
}

bool PngStreamComplete(ByteView data) {
    constexpr std::size_t kChunkFrame = 12;  // length, type, and the CRC after the data
    std::size_t at = sizeof(kSignature);
    while (data.size() >= at && data.size() - at >= kChunkFrame) {
        std::uint64_t length =
            std::uint64_t{data[at]} << 24 | data[at + 1] << 16 | data[at + 2] << 8 | data[at + 3];
        if (length > data.size() - at - kChunkFrame) return false;
        if (std::memcmp(data.data() + at + 4, "IEND", 4) == 0) return true;
        at += kChunkFrame + static_cast<std::size_t>(length);
    }
    return false;
}

TDecodedPng DecodePngStream(ByteView data) {
    TMemorySource source{data};
    TDecodedPng result;
    std::vector<png_bytep> rows(kMaxPngSide);
    std::string libraryError;
    if (const char* error = DecodeInto(&source, &result, rows.data(), rows.size(), &libraryError)) {
        throw TReadError(error);
    }
    return result;
}
