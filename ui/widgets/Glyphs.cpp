#include "ui/widgets/Glyphs.h"

#include <QImage>
#include <cstring>
#include <stdexcept>

#include "ui/widgets/GlyphArt.h"

QPixmap GlyphPixmap(TGlyph glyph) {
    const TGlyphArt& art = GlyphArt(glyph);
    if (art.empty()) throw std::logic_error("glyph without rows");
    const int width = static_cast<int>(std::strlen(art.front()));
    QImage image(width, static_cast<int>(art.size()), QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        const char* row = art[static_cast<std::size_t>(y)];
        if (static_cast<int>(std::strlen(row)) != width) {
            throw std::logic_error("glyph rows of different lengths");
        }
        for (int x = 0; x < width; ++x) image.setPixel(x, y, GlyphColor(row[x]));
    }
    return QPixmap::fromImage(image);
}

QIcon GlyphIcon(TGlyph glyph) {
    return QIcon(GlyphPixmap(glyph));
}

QList<QIcon> MenuImages() {
    QList<QIcon> images;
    for (TGlyph glyph : {TGlyph::Save, TGlyph::Copy, TGlyph::BackgroundColor, TGlyph::Properties,
                         TGlyph::Exit, TGlyph::ScanFiles, TGlyph::ScanSubdirectories}) {
        images << GlyphIcon(glyph);
    }
    return images;
}
