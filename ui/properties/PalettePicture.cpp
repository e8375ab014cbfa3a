#include "ui/properties/PalettePicture.h"

namespace {

// How the cells of one colour depth are laid out: Columns x Columns cells of CellWidth x
// CellHeight pixels.
struct TCellGrid {
    TPixelFormat Format;
    int Columns;
    int CellWidth;
    int CellHeight;
};

constexpr TCellGrid kGrid4{TPixelFormat::pf4bit, 4, 52, 40};
constexpr TCellGrid kGrid8{TPixelFormat::pf8bit, 16, 13, 10};

TColor EntryColor(const TLoadedIconImage& image, int index) {
    const TPaletteEntry& entry = image.Palette.Entries[static_cast<std::size_t>(index)];
    return {entry.Red, entry.Green, entry.Blue};
}

// The cells are filled in a bitmap of the image's depth that carries its palette, and that
// bitmap is then drawn onto the 24-bit picture, as the display would show the palette.
TBitmap PalettedCells(const TLoadedIconImage& image, const TCellGrid& grid) {
    TBitmap cells(kPalettePictureWidth, kPalettePictureHeight, grid.Format);
    const int count = grid.Columns * grid.Columns;
    cells.Palette.resize(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        cells.Palette[static_cast<std::size_t>(i)] = EntryColor(image, i);
    TCanvas& canvas = cells.Canvas();
    for (int r = 0; r < grid.Columns; ++r) {
        for (int c = 0; c < grid.Columns; ++c) {
            canvas.BrushColor = EntryColor(image, grid.Columns * r + c);
            const int left = grid.CellWidth * c;
            const int top = grid.CellHeight * r;
            canvas.FillRect(left, top, left + grid.CellWidth, top + grid.CellHeight);
        }
    }
    return cells;
}

void DrawGridLines(TBitmap& picture, const TCellGrid& grid) {
    TCanvas& canvas = picture.Canvas();
    canvas.BrushColor = clBlack;
    for (int i = 0; i <= grid.Columns; ++i) {
        const int x = grid.CellWidth * i;
        const int y = grid.CellHeight * i;
        canvas.FillRect(x, 0, x + 1, kPalettePictureHeight);
        canvas.FillRect(0, y, kPalettePictureWidth, y + 1);
    }
}

}  // namespace

std::unique_ptr<TBitmap> MakePalettePicture(const TLoadedIconImage& Image) {
    if (!Image.HasPalette || (Image.BitCount != 4 && Image.BitCount != 8)) return nullptr;
    const TCellGrid& grid = Image.BitCount == 4 ? kGrid4 : kGrid8;
    auto picture = std::make_unique<TBitmap>(kPalettePictureWidth, kPalettePictureHeight,
                                             TPixelFormat::pf24bit);
    picture->Canvas().Draw(0, 0, PalettedCells(Image, grid), TRasterOp::SRCCOPY);
    DrawGridLines(*picture, grid);
    return picture;
}
