#include "PngStreamBuilder.h"

#include <png.h>

#include <stdexcept>
#include <vector>

namespace {

void Append(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<ByteString*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void NoFlush(png_structp) {}

int Channels(int colorType) {
    switch (colorType) {
        case PNG_COLOR_TYPE_GRAY:
            return 1;
        case PNG_COLOR_TYPE_PALETTE:
            return 1;
        case PNG_COLOR_TYPE_GRAY_ALPHA:
            return 2;
        case PNG_COLOR_TYPE_RGB:
            return 3;
        default:
            return 4;
    }
}

// Packs one row: sub-byte depths high bits first, 16-bit values big-endian.
std::vector<png_byte> PackRow(const PngSpec& layout, int y) {
    int channels = Channels(layout.colorType);
    std::size_t bits = static_cast<std::size_t>(layout.width) * channels * layout.bitDepth;
    std::vector<png_byte> row((bits + 7) / 8, 0);
    std::size_t bit = 0;
    for (int x = 0; x < layout.width; ++x) {
        for (int c = 0; c < channels; ++c, bit += static_cast<std::size_t>(layout.bitDepth)) {
            std::uint16_t v = layout.sample(x, y, c);
            if (layout.bitDepth == 16) {
                row[bit / 8] = static_cast<png_byte>(v >> 8);
                row[bit / 8 + 1] = static_cast<png_byte>(v);
            } else {
                int shift = 8 - layout.bitDepth - static_cast<int>(bit % 8);
                row[bit / 8] = static_cast<png_byte>(row[bit / 8] | (v << shift));
            }
        }
    }
    return row;
}

}  // namespace

ByteString MakePngStream(const PngSpec& layout) {
    ByteString out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    std::vector<std::vector<png_byte>> rows;
    for (int y = 0; y < layout.height; ++y) rows.push_back(PackRow(layout, y));
    std::vector<png_bytep> rowPointers;
    for (auto& row : rows) rowPointers.push_back(row.data());
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        throw std::runtime_error("cannot build the test PNG");
    }
    png_set_write_fn(png, &out, Append, NoFlush);
    png_set_IHDR(png, info, static_cast<png_uint_32>(layout.width),
                 static_cast<png_uint_32>(layout.height), layout.bitDepth, layout.colorType,
                 layout.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (layout.colorType == PNG_COLOR_TYPE_PALETTE) {
        png_color palette[4] = {{10, 20, 30}, {200, 100, 0}, {0, 255, 0}, {1, 2, 3}};
        png_set_PLTE(png, info, palette, 4);
    }
    if (layout.transparentFirstEntry) {
        png_byte alpha[1] = {0};
        png_color_16 zero{};
        png_set_tRNS(png, info, alpha, 1, &zero);
    }
    png_write_info(png, info);
    png_write_image(png, rowPointers.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}
