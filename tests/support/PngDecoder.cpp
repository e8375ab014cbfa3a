#include "PngDecoder.h"

#include <png.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

std::vector<std::string> ChunkOrder(const std::string& fileName) {
    std::ifstream in(fileName, std::ios::binary);
    ByteString bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::string> order;
    ByteReader reader(ByteView(bytes).subspan(std::min<std::size_t>(8, bytes.size())));
    while (reader.Has(12)) {
        ByteView length = reader.Take(4);
        std::uint32_t size = (std::uint32_t{length[0]} << 24) | (std::uint32_t{length[1]} << 16) |
                             (std::uint32_t{length[2]} << 8) | length[3];
        ByteView type = reader.Take(4);
        order.emplace_back(type.begin(), type.end());
        reader.Skip(size + 4);
    }
    return order;
}

// libpng unwinds to the setjmp in ReadInto on any error.
bool ReadInto(std::FILE* file, DecodedPngFile& out, ByteString& rgba) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_init_io(png, file);
    png_read_info(png, info);
    png_uint_32 width = 0, height = 0;
    png_get_IHDR(png, info, &width, &height, &out.bitDepth, &out.colorType, &out.interlace,
                 &out.compression, &out.filter);
    out.width = width;
    out.height = height;
    png_color_16p background = nullptr;
    if (png_get_bKGD(png, info, &background) != 0) {
        out.backgroundRed = background->red;
        out.backgroundGreen = background->green;
        out.backgroundBlue = background->blue;
    }
    if (out.colorType == PNG_COLOR_TYPE_RGB_ALPHA && out.bitDepth == 8) {
        rgba.resize(static_cast<std::size_t>(width) * height * 4);
        for (png_uint_32 y = 0; y < height; ++y)
            png_read_row(png, rgba.data() + static_cast<std::size_t>(y) * width * 4, nullptr);
    }
    png_read_end(png, info);
    png_textp texts = nullptr;
    int count = png_get_text(png, info, &texts, nullptr);
    for (int i = 0; i < count; ++i) {
        out.texts.emplace_back(texts[i].key, std::string(texts[i].text, texts[i].text_length));
        out.textCompression.push_back(texts[i].compression);
    }
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

}  // namespace

std::vector<std::uint8_t> DecodedPngFile::Pixel(int x, int y) const {
    std::size_t at = (static_cast<std::size_t>(y) * width + static_cast<std::size_t>(x)) * 4;
    return {rgba.at(at), rgba.at(at + 1), rgba.at(at + 2), rgba.at(at + 3)};
}

DecodedPngFile ReadPngFile(const std::string& fileName) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(fileName.c_str(), "rb"));
    if (!file) throw std::runtime_error("cannot open " + fileName);
    DecodedPngFile decoded;
    ByteString rgba;
    if (!ReadInto(file.get(), decoded, rgba)) throw std::runtime_error("libpng rejected the file");
    decoded.rgba = std::move(rgba);
    decoded.chunkOrder = ChunkOrder(fileName);
    return decoded;
}
