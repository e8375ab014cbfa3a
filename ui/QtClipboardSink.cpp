#include "ui/QtClipboardSink.h"

#include <QClipboard>
#include <QGuiApplication>

#include "ui/BitmapToQImage.h"

void TQtClipboardSink::SetBitmap(const TBitmap& Bitmap) {
    QGuiApplication::clipboard()->setImage(BitmapToQImage(Bitmap));
}
