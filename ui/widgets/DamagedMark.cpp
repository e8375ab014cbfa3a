#include "ui/widgets/DamagedMark.h"

#include <QPainter>
#include <QPolygonF>
#include <algorithm>

#include "icons/LoadedIcon.h"

QString DamageText(const TLoadedIconImage& Image) {
    return QStringLiteral("Damaged: %1").arg(QString::fromStdString(Image.Damage()));
}

void DrawDamagedMark(QPainter& Painter, const QRect& Cell) {
    const int side = std::min({16, Cell.width(), Cell.height()});
    if (side < 4) return;
    const QRectF frame(Cell.center().x() - side / 2.0 + 0.5, Cell.center().y() - side / 2.0 + 0.5,
                       side - 1, side - 1);
    Painter.save();
    Painter.setRenderHint(QPainter::Antialiasing);
    Painter.setPen(QPen(QColor(96, 96, 96), 1));
    Painter.setBrush(QColor(240, 240, 240));
    Painter.drawRect(frame);
    // The crack runs from the top edge to the bottom edge in three zigzags.
    const double x = frame.left(), y = frame.top(), w = frame.width(), h = frame.height();
    QPolygonF crack({{x + w * 0.55, y},
                     {x + w * 0.35, y + h * 0.35},
                     {x + w * 0.65, y + h * 0.55},
                     {x + w * 0.45, y + h}});
    Painter.setPen(QPen(QColor(200, 0, 0), std::max(1.0, side / 8.0)));
    Painter.setBrush(Qt::NoBrush);
    Painter.drawPolyline(crack);
    Painter.restore();
}
