#include "GifDecoder.h"

#include <fstream>
#include <iterator>

namespace {

std::vector<TColor> ReadColorTable(ByteReader& in, std::uint8_t flags) {
    std::vector<TColor> table(std::size_t{2} << (flags & 7));
    for (TColor& c : table) {
        c.Red = in.U8();
        c.Green = in.U8();
        c.Blue = in.U8();
    }
    return table;
}

// Reads the data sub-blocks up to the terminator and returns them joined.
ByteString ReadSubBlocks(ByteReader& in, std::vector<int>* sizes) {
    ByteString data;
    for (std::uint8_t length = in.U8(); length != 0; length = in.U8()) {
        if (sizes) sizes->push_back(length);
        ByteView block = in.Take(length);
        data.insert(data.end(), block.begin(), block.end());
    }
    return data;
}

// Reads codes least significant bit first.
class BitReader {
public:
    explicit BitReader(ByteView data) : data_(data) {}
    int Read(int bits) {
        int value = 0;
        for (int i = 0; i < bits; ++i, ++bit_) {
            if (bit_ / 8 >= data_.size()) throw TReadError("LZW data ends without end code");
            value |= ((data_[bit_ / 8] >> (bit_ % 8)) & 1) << i;
        }
        return value;
    }

private:
    ByteView data_;
    std::size_t bit_ = 0;
};

// A plain LZW decoder: strings as vectors, the table reset at every clear code, the code width
// raised when the next free code reaches the current width's limit.
void DecodeLzw(GifFrame& frame, ByteView data) {
    const int clear = 1 << frame.minCodeSize;
    const int end = clear + 1;
    std::vector<ByteString> table;
    int bits = frame.minCodeSize + 1;
    auto reset = [&] {
        table.assign(static_cast<std::size_t>(clear + 2), {});
        for (int i = 0; i < clear; ++i) table[static_cast<std::size_t>(i)] = {std::uint8_t(i)};
        bits = frame.minCodeSize + 1;
    };
    reset();
    BitReader reader(data);
    int previous = -1;
    for (;;) {
        int code = reader.Read(bits);
        frame.codes.push_back({code, bits});
        if (code == clear) {
            reset();
            previous = -1;
            continue;
        }
        if (code == end) break;
        ByteString entry;
        if (code < static_cast<int>(table.size()) &&
            !table[static_cast<std::size_t>(code)].empty()) {
            entry = table[static_cast<std::size_t>(code)];
        } else if (code == static_cast<int>(table.size()) && previous >= 0) {
            entry = table[static_cast<std::size_t>(previous)];
            entry.push_back(entry.front());
        } else {
            throw TReadError("LZW code out of range");
        }
        frame.pixels.insert(frame.pixels.end(), entry.begin(), entry.end());
        if (previous >= 0 && table.size() < 4096) {
            ByteString added = table[static_cast<std::size_t>(previous)];
            added.push_back(entry.front());
            table.push_back(std::move(added));
        }
        if (static_cast<int>(table.size()) == (1 << bits) && bits < 12) ++bits;
        previous = code;
    }
}

void ReadGraphicControl(ByteReader& in, GifFrame& frame) {
    ByteString block = ReadSubBlocks(in, nullptr);
    ByteReader fields(block);
    frame.hasGraphicControl = true;
    frame.controlFlags = fields.U8();
    frame.delay = fields.U16();
    frame.transparentIndex = fields.U8();
    frame.transparent = (frame.controlFlags & 1) != 0;
}

void ReadImage(ByteReader& in, GifFrame& frame) {
    frame.left = in.U16();
    frame.top = in.U16();
    frame.width = in.U16();
    frame.height = in.U16();
    std::uint8_t flags = in.U8();
    frame.interlaced = (flags & 0x40) != 0;
    frame.hasLocalTable = (flags & 0x80) != 0;
    if (frame.hasLocalTable) frame.colorTable = ReadColorTable(in, flags);
    frame.minCodeSize = in.U8();
    if (frame.minCodeSize < 2 || frame.minCodeSize > 11) throw TReadError("bad code size");
    ByteString data = ReadSubBlocks(in, &frame.subBlockSizes);
    DecodeLzw(frame, data);
}

}  // namespace

DecodedGif DecodeGif(ByteView data) {
    ByteReader in(data);
    DecodedGif gif;
    ByteView signature = in.Take(6);
    if (signature[0] != 'G' || signature[1] != 'I' || signature[2] != 'F')
        throw TReadError("not a GIF");
    gif.version.assign(signature.begin() + 3, signature.end());
    gif.screenWidth = in.U16();
    gif.screenHeight = in.U16();
    gif.screenFlags = in.U8();
    in.Skip(2);  // background index, aspect ratio
    if (gif.screenFlags & 0x80) gif.globalTable = ReadColorTable(in, gif.screenFlags);
    GifFrame pending;
    while (!in.Empty()) {
        std::uint8_t introducer = in.U8();
        if (introducer == 0x3B) {
            gif.trailer = true;
            break;
        }
        if (introducer == 0x21) {
            std::uint8_t label = in.U8();
            if (label == 0xF9) {
                ReadGraphicControl(in, pending);
            } else {
                ReadSubBlocks(in, nullptr);
            }
        } else if (introducer == 0x2C) {
            ReadImage(in, pending);
            gif.frames.push_back(std::move(pending));
            pending = GifFrame();
        } else {
            throw TReadError("unknown block");
        }
    }
    return gif;
}

DecodedGif ReadGifFile(const std::string& fileName) {
    std::ifstream in(fileName, std::ios::binary);
    if (!in) throw TReadError("cannot open " + fileName);
    ByteString bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return DecodeGif(bytes);
}
