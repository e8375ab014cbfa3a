#include "WriterTestImages.h"

#include <fstream>
#include <iterator>

#include "ImageBuilder.h"

bool OnBorder(int x, int y, int size) {
    return x == 0 || y == 0 || x == size - 1 || y == size - 1;
}

std::unique_ptr<TLoadedIconImage> BorderedImage() {
    auto image = MakeImage(16, 16, 4);
    SetPaletteColor(*image, 1, kInside.Red, kInside.Green, kInside.Blue);
    SetPaletteColor(*image, 2, kMarker.Red, kMarker.Green, kMarker.Blue);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            SetMaskBit(*image, x, y, OnBorder(x, y));
            SetStoredPixel(*image, x, y, OnBorder(x, y) ? 0 : (x == 1 && y == 1 ? 2 : 1));
        }
    }
    return image;
}

std::unique_ptr<TLoadedIconImage> ImageWithoutRows(int width, int height, int bitCount) {
    auto image = MakeImage(width, height, bitCount);
    image->SetRows({});
    return image;
}

void SquareSystemIcon::Draw(TCanvas& canvas, int x, int y) const {
    canvas.BrushColor = {0, 0, 255};
    canvas.FillRect(x, y, x + 2, y + 2);
}

std::unique_ptr<TLoadedIconImage> SystemIconImage() {
    auto image = ImageWithoutRows(16, 16, 32);
    image->IsSystemIcon = true;
    image->SystemIcon = std::make_unique<SquareSystemIcon>();
    return image;
}

ByteString FileBytes(const std::string& fileName) {
    std::ifstream in(fileName, std::ios::binary);
    return ByteString((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}
