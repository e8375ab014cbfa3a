#include "ui/widgets/StraightAlphaPicture.h"

#include <QBuffer>
#include <cstring>

#include "icons/StraightAlpha.h"

QImage StraightAlphaPicture(TLoadedIconImage& Image) {
    const TRgbaImage rgba = StraightAlphaImage(Image);
    QImage picture(rgba.Width, rgba.Height, QImage::Format_RGBA8888);
    const auto rowBytes = static_cast<std::size_t>(rgba.Width) * 4;
    for (int y = 0; y < rgba.Height; ++y) {
        std::memcpy(picture.scanLine(y), rgba.Pixels.data() + y * rowBytes, rowBytes);
    }
    return picture;
}

QByteArray StraightAlphaPng(TLoadedIconImage& Image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    StraightAlphaPicture(Image).save(&buffer, "PNG");
    return bytes;
}
