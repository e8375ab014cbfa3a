#include "icons/LoadedIcon.h"

#include <algorithm>
#include <stdexcept>

#include "icons/PngFit.h"
#include "icons/PngStream.h"

namespace {

// Bytes per row of a DIB row of `width` pixels at `bitCount` bits, padded to 4 bytes.
std::uint32_t RowStride(std::uint64_t width, std::uint64_t bitCount) {
    std::uint64_t bytes = (width * bitCount + 7) / 8;
    return static_cast<std::uint32_t>((bytes + 3) / 4 * 4);
}

int PaletteSize(std::uint16_t bitCount) {
    return bitCount >= 1 && bitCount <= 8 ? 1 << bitCount : 0;
}

bool AllZero(const ByteString& bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b == 0; });
}

// Copies `rows` rows of `stride` bytes from the reader, or zero rows when they are not all
// there (then nothing is consumed).
ByteString TakeRows(ByteReader& data, std::size_t rows, std::size_t stride) {
    std::size_t size = rows * stride;
    if (!data.Has(size)) return ByteString(size, 0);
    ByteView bytes = data.Take(size);
    return ByteString(bytes.begin(), bytes.end());
}

}  // namespace

TLoadedIconImage& TLoadedIcon::GetImage(std::int32_t Index) const {
    if (Index < 0 || static_cast<std::size_t>(Index) >= Images.size()) {
        throw std::out_of_range("List index out of bounds (" + std::to_string(Index) + ")");
    }
    return *Images[static_cast<std::size_t>(Index)];
}

void TLoadedIcon::UpdateMaxSize(std::int32_t NewWidth, std::int32_t NewHeight) {
    MaxWidth = std::max(MaxWidth, NewWidth);
    MaxHeight = std::max(MaxHeight, NewHeight);
}

std::unique_ptr<TLoadedIconImage> TLoadedIcon::ReadDirEntry(ByteReader& Data, bool GroupEntry) {
    auto image = std::make_unique<TLoadedIconImage>();
    image->Owner = this;
    image->Width = Data.U8();
    image->Height = Data.U8();
    image->ColorCount = Data.U8();
    image->Reserved = Data.U8();
    image->Planes = Data.U16();
    image->BitCount = Data.U16();
    if (image->BitCount == 0) {
        image->Planes = 1;
        switch (image->ColorCount) {
            case 2:
                image->BitCount = 1;
                break;
            case 16:
                image->BitCount = 4;
                break;
            case 255:
                image->BitCount = 8;
                break;
            default:
                break;
        }
    }
    image->BytesInRes = Data.U32();
    image->ImageOffset = GroupEntry ? Data.U16() : Data.U32();
    return image;
}

namespace {

// A cursor's side as the one-byte directory value: 256 is stored as 0, as in icon entries.
std::uint8_t CursorSide(std::uint16_t pixels, std::uint16_t width, std::uint16_t height) {
    if (pixels == 0 || pixels > 256) {
        throw TReadError("Cursor group entry of " + std::to_string(width) + " x " +
                         std::to_string(height) + " pixels is outside 1 to 256");
    }
    return static_cast<std::uint8_t>(pixels);
}

}  // namespace

std::unique_ptr<TLoadedIconImage> TLoadedIcon::ReadCursorEntry(ByteReader& Data) {
    auto image = std::make_unique<TLoadedIconImage>();
    image->Owner = this;
    image->IsCursor = true;
    std::uint16_t width = Data.U16();
    std::uint16_t rows = Data.U16();
    image->Width = CursorSide(width, width, rows / 2);
    image->Height = CursorSide(rows / 2, width, rows / 2);
    image->Planes = Data.U16();
    image->BitCount = Data.U16();
    // Cursor entries carry no colour count; give the one an icon entry of that depth has.
    if (image->BitCount >= 1 && image->BitCount < 8)
        image->ColorCount = static_cast<std::uint8_t>(1u << image->BitCount);
    image->BytesInRes = Data.U32();
    image->ImageOffset = Data.U16();
    return image;
}

TLoadedIconImage& TLoadedIcon::AddImage(std::unique_ptr<TLoadedIconImage> Image) {
    Image->Owner = this;
    Images.push_back(std::move(Image));
    return *Images.back();
}

bool TLoadedIconImage::DecodeImage(ByteView Data, bool IsResource) {
    ByteReader data(Data);
    if (!IsResource) {
        data.Skip(ImageOffset);
        data = ByteReader(data.TakeAtMost(BytesInRes));
    }
    Palette = TLogPalette{};
    HasPalette = false;
    PngData.clear();
    if (IsPngStream(data.Rest())) {
        DecodePng(data.Rest());
    } else {
        DecodeBitmap(data);
    }
    Prepared = false;
    return !(AllZero(MaskBits) && AllZero(ImageBits));
}

void TLoadedIconImage::DecodeBitmap(ByteReader& data) {
    ByteReader header(data.Take(40));
    header.Skip(14);
    BitCount = header.U16();
    // Wider pixels do not exist in icons; refusing them keeps zero-filled rows small.
    if (BitCount > 32) throw TReadError("Unsupported bit count " + std::to_string(BitCount));

    int paletteSize = PaletteSize(BitCount);
    HasPalette = paletteSize > 0;
    if (HasPalette) {
        Palette.Version = 0x300;
        Palette.NumEntries = static_cast<std::uint16_t>(paletteSize);
        for (int i = 0; i < paletteSize; ++i) {
            TPaletteEntry& entry = Palette.Entries[static_cast<std::size_t>(i)];
            entry.Blue = data.U8();
            entry.Green = data.U8();
            entry.Red = data.U8();
            entry.Flags = data.U8();
        }
    }

    std::size_t rows = static_cast<std::size_t>(PixelHeight());
    ImageStride = static_cast<std::int32_t>(RowStride(PixelWidth(), BitCount));
    ImageBits = TakeRows(data, rows, static_cast<std::size_t>(ImageStride));
    MaskStride = RowStride(PixelWidth(), 1);
    MaskBits = TakeRows(data, rows, MaskStride);
}

void TLoadedIconImage::DecodePng(ByteView data) {
    TDecodedPng png = DecodePngStream(data);
    if (png.Width != PixelWidth() || png.Height != PixelHeight()) {
        png = FitPngInto(png, PixelWidth(), PixelHeight());
    }
    BitCount = 32;
    ImageStride = png.Width * 4;
    MaskStride = RowStride(static_cast<std::uint64_t>(png.Width), 1);
    ImageBits.assign(static_cast<std::size_t>(ImageStride) * png.Height, 0);
    MaskBits.assign(static_cast<std::size_t>(MaskStride) * png.Height, 0);
    // PNG rows run top first with red, green, blue, alpha; bitmap rows run bottom first with
    // blue, green, red, alpha. Fully transparent pixels are marked in the mask.
    for (int y = 0; y < png.Height; ++y) {
        const std::uint8_t* src = png.Rgba.data() + static_cast<std::size_t>(y) * ImageStride;
        std::size_t row = static_cast<std::size_t>(png.Height - 1 - y);
        std::uint8_t* dst = ImageBits.data() + row * static_cast<std::size_t>(ImageStride);
        std::uint8_t* mask = MaskBits.data() + row * MaskStride;
        for (int x = 0; x < png.Width; ++x, src += 4, dst += 4) {
            dst[0] = src[2];
            dst[1] = src[1];
            dst[2] = src[0];
            dst[3] = src[3];
            if (src[3] == 0)
                mask[x / 8] = static_cast<std::uint8_t>(mask[x / 8] | (0x80 >> (x % 8)));
        }
    }
    PngData.assign(data.begin(), data.end());
}
