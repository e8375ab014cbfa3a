#include "ImageBuilder.h"

#include "IcoBuilder.h"

namespace {

std::uint8_t DirectoryByte(int pixels) {
    return static_cast<std::uint8_t>(pixels == 256 ? 0 : pixels);
}

std::size_t StoredRow(const TLoadedIconImage& image, int y) {
    return static_cast<std::size_t>(image.PixelHeight() - 1 - y);
}

}  // namespace

std::unique_ptr<TLoadedIconImage> MakeImage(int width, int height, int bitCount) {
    auto image = std::make_unique<TLoadedIconImage>();
    image->Width = DirectoryByte(width);
    image->Height = DirectoryByte(height);
    image->Planes = 1;
    image->BitCount = static_cast<std::uint16_t>(bitCount);
    TImageRows rows;
    rows.ImageStride = DibStride(width, bitCount);
    rows.MaskStride = static_cast<std::uint32_t>(DibStride(width, 1));
    rows.ImageBits.assign(static_cast<std::size_t>(rows.ImageStride) * height, 0);
    rows.MaskBits.assign(rows.MaskStride * static_cast<std::size_t>(height), 0);
    image->SetRows(std::move(rows));
    image->HasPalette = bitCount <= 8;
    if (image->HasPalette) {
        image->Palette.Version = 0x300;
        image->Palette.NumEntries = static_cast<std::uint16_t>(1 << bitCount);
    }
    return image;
}

TLoadedIconImage& AddImage(TLoadedIcon& icon, int width, int height, int bitCount,
                           const std::string& resourceName) {
    auto image = MakeImage(width, height, bitCount);
    image->Owner = &icon;
    image->ResourceName = resourceName;
    icon.Images.push_back(std::move(image));
    icon.ImageCount = static_cast<std::int32_t>(icon.Images.size());
    return *icon.Images.back();
}

void SetStoredPixel(TLoadedIconImage& image, int x, int y, std::uint32_t value) {
    TImageRows& rows = image.EditRows();
    std::uint8_t* row = rows.ImageBits.data() + StoredRow(image, y) * rows.ImageStride;
    int bits = image.BitCount;
    if (bits < 8) {
        int perByte = 8 / bits;
        int shift = 8 - bits * (x % perByte + 1);
        auto mask = static_cast<std::uint8_t>(((1u << bits) - 1) << shift);
        std::uint8_t& byte = row[x / perByte];
        byte = static_cast<std::uint8_t>((byte & ~mask) | ((value << shift) & mask));
        return;
    }
    for (int i = 0; i < bits / 8; ++i)
        row[x * (bits / 8) + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

void SetRgba(TLoadedIconImage& image, int x, int y, std::uint8_t red, std::uint8_t green,
             std::uint8_t blue, std::uint8_t alpha) {
    SetStoredPixel(image, x, y,
                   blue | (green << 8) | (red << 16) | (static_cast<std::uint32_t>(alpha) << 24));
}

void SetMaskBit(TLoadedIconImage& image, int x, int y, bool transparent) {
    TImageRows& rows = image.EditRows();
    std::uint8_t& byte = rows.MaskBits[StoredRow(image, y) * rows.MaskStride + x / 8];
    auto bit = static_cast<std::uint8_t>(0x80 >> (x % 8));
    byte = static_cast<std::uint8_t>(transparent ? byte | bit : byte & ~bit);
}

void SetPaletteColor(TLoadedIconImage& image, int index, std::uint8_t red, std::uint8_t green,
                     std::uint8_t blue) {
    image.Palette.Entries[static_cast<std::size_t>(index)] = {red, green, blue, 0};
}
