#include "ui/widgets/BitmapToQImage.h"

namespace {

QRgb ToRgb(TColor color) {
    return qRgb(color.Red, color.Green, color.Blue);
}

QImage MonochromeImage(const TBitmap& bitmap) {
    QImage image(bitmap.Width(), bitmap.Height(), QImage::Format_Mono);
    QList<QRgb> colors;
    for (TColor color : bitmap.Palette) colors << ToRgb(color);
    while (colors.size() < 2) colors << qRgb(255, 255, 255);
    image.setColorTable(colors);
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width(); ++x) {
            image.setPixel(x, y, bitmap.RawPixel(x, y) ? 1u : 0u);
        }
    }
    return image;
}

QImage ColourImage(const TBitmap& bitmap) {
    QImage image(bitmap.Width(), bitmap.Height(), QImage::Format_RGB888);
    for (int y = 0; y < bitmap.Height(); ++y) {
        uchar* row = image.scanLine(y);
        for (int x = 0; x < bitmap.Width(); ++x) {
            const TColor color = bitmap.PixelColor(x, y);
            row[3 * x] = color.Red;
            row[3 * x + 1] = color.Green;
            row[3 * x + 2] = color.Blue;
        }
    }
    return image;
}

}  // namespace

QImage BitmapToQImage(const TBitmap& Bitmap) {
    if (Bitmap.PixelFormat() == TPixelFormat::pf1bit) return MonochromeImage(Bitmap);
    return ColourImage(Bitmap);
}
