#include "graphics/BlockScale.h"

#include <algorithm>

TBitmap ScaleBitmapUpByBlocks(const TBitmap& Source, int block) {
    block = std::max(1, block);
    TBitmap result(Source.Width() * block, Source.Height() * block, Source.PixelFormat());
    result.Palette = Source.Palette;
    for (int y = 0; y < result.Height(); ++y) {
        for (int x = 0; x < result.Width(); ++x)
            result.SetRawPixel(x, y, Source.RawPixel(x / block, y / block));
    }
    return result;
}
