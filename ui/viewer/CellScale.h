#pragma once

// How one image is drawn in a cell, in device pixels: either every image pixel as a square
// block of Block x Block device pixels (sharp, no smoothing), or, when Block is 0, the image
// scaled down by area averaging to Width x Height.
struct TCellScale {
    int Block = 1;
    int Width = 0;
    int Height = 0;
};

// The drawing of a Width x Height image asked to grow `multiple` times (a whole number, at
// least 1) on a device of `ratio` device pixels to the logical pixel, within a cell of
// CellWidth x CellHeight device pixels. Each image pixel becomes round(ratio x multiple)
// device pixels; when that does not fit the cell, the largest smaller multiple that does; when
// not even its own logical size fits, one device pixel each, or else scaled down by area to
// fit, keeping its aspect.
TCellScale ScaleInCell(int width, int height, int multiple, double ratio, int cellWidth,
                       int cellHeight);

// The whole multiple an image grows by when its cell is `shown` logical pixels against the
// `actual` cell that holds the images at their own size: 1 up to twice the actual side, and
// so on; never below 1 (smaller cells scale only the images that do not fit).
int CellMultiple(int shown, int actual);

// The device pixels that `logical` pixels cover at `ratio`, rounded up.
int DeviceSide(int logical, double ratio);
