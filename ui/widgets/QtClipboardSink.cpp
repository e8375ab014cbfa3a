#include "ui/widgets/QtClipboardSink.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "ui/widgets/BitmapToQImage.h"

namespace {
const QString kPngType = QStringLiteral("image/png");
}

// An explicit image/png stands in for the one the platform would make from the bitmap.
void TQtClipboardSink::SetBitmap(const TBitmap& Bitmap) {
    auto* data = new QMimeData;
    data->setImageData(BitmapToQImage(Bitmap));
    if (!Png.isEmpty()) data->setData(kPngType, Png);
    QGuiApplication::clipboard()->setMimeData(data);
}
