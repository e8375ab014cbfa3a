#pragma once

#include <QByteArray>

#include "icons/Rendering.h"

// Puts the core's bitmaps on the system clipboard, replacing what it held: a 1-bit bitmap as a
// monochrome image, any other as a 24-bit image; beside it, when given, a PNG picture with
// alpha as image/png.
class TQtClipboardSink : public TClipboardSink {
public:
    TQtClipboardSink() = default;
    explicit TQtClipboardSink(QByteArray Png) : Png(std::move(Png)) {}
    void SetBitmap(const TBitmap& Bitmap) override;

private:
    QByteArray Png;
};
