#include "ui/ButtonGlyphs.h"

#include <QPainter>
#include <QPixmap>

namespace {

constexpr int kSize = 16;

QPixmap EmptyGlyph() {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QPixmap DrawnSave() {
    QPixmap pixmap = EmptyGlyph();
    QPainter painter(&pixmap);
    painter.setPen(QColor(0, 0, 0));
    painter.setBrush(QColor(0, 0, 128));
    painter.drawRect(1, 1, 13, 13);
    painter.setBrush(QColor(255, 255, 255));
    painter.drawRect(3, 1, 9, 6);
    painter.setBrush(QColor(192, 192, 192));
    painter.drawRect(4, 10, 7, 4);
    return pixmap;
}

QPixmap DrawnCopy() {
    QPixmap pixmap = EmptyGlyph();
    QPainter painter(&pixmap);
    painter.setPen(QColor(0, 0, 0));
    painter.setBrush(QColor(255, 255, 255));
    painter.drawRect(1, 1, 8, 10);
    painter.drawRect(6, 4, 8, 10);
    for (int y = 7; y <= 11; y += 2) painter.drawLine(8, y, 12, y);
    return pixmap;
}

}  // namespace

QIcon SaveGlyph() {
    return QIcon::fromTheme(QStringLiteral("document-save"), DrawnSave());
}

QIcon CopyGlyph() {
    return QIcon::fromTheme(QStringLiteral("edit-copy"), DrawnCopy());
}
