#include "ui/splash/SplashPicture.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <array>
#include <cmath>
#include <numbers>

namespace {

// The picture shows a viewer grid of nine icons on the left and the program's name, a line
// about what it does, the home page's address and the maker on the right.
constexpr int kCell = 32;
constexpr int kCellGap = 6;
constexpr QPoint kGridOrigin{22, 48};
constexpr int kTextLeft = 146;

const QColor kNight(0x17, 0x2a, 0x45);
const QColor kDusk(0x2e, 0x5c, 0x8a);
const QColor kCellFace(0xf4, 0xf6, 0xfa);
const QColor kSelection(0xff, 0xc8, 0x3d);
const QColor kLink(0xa8, 0xd4, 0xff);

enum class TShape { Folder, Page, Disc, Triangle, Diamond, Star, Ring, Screen, Checker };

struct TGridIcon {
    TShape shape;
    QColor color;
};

const std::array<TGridIcon, 9> kGridIcons{{
    {TShape::Folder, QColor(0xf2, 0xb1, 0x34)},
    {TShape::Page, QColor(0x5b, 0x8d, 0xd6)},
    {TShape::Disc, QColor(0xe0, 0x4f, 0x5f)},
    {TShape::Triangle, QColor(0x3f, 0xa7, 0x6b)},
    {TShape::Diamond, QColor(0x8e, 0x5c, 0xd9)},
    {TShape::Star, QColor(0xf0, 0x8a, 0x24)},
    {TShape::Ring, QColor(0x1f, 0x9e, 0xb3)},
    {TShape::Screen, QColor(0x44, 0x4f, 0x5e)},
    {TShape::Checker, QColor(0xb8, 0xc0, 0xcc)},
}};

QPolygonF StarPolygon(const QRectF& box) {
    QPolygonF star;
    const QPointF centre = box.center();
    for (int point = 0; point < 10; ++point) {
        const double radius = (point % 2 == 0 ? 0.5 : 0.22) * box.width();
        const double angle = -std::numbers::pi / 2 + point * std::numbers::pi / 5;
        star << centre + QPointF(radius * std::cos(angle), radius * std::sin(angle));
    }
    return star;
}

QPainterPath ShapePath(TShape shape, const QRectF& box) {
    QPainterPath path;
    const double x = box.x(), y = box.y(), w = box.width(), h = box.height();
    switch (shape) {
        case TShape::Folder:
            path.addRoundedRect(QRectF(x, y + h * 0.2, w, h * 0.7), 2, 2);
            path.addRoundedRect(QRectF(x, y + h * 0.08, w * 0.45, h * 0.3), 2, 2);
            break;
        case TShape::Page:
            path.addRect(QRectF(x + w * 0.15, y, w * 0.7, h));
            break;
        case TShape::Disc:
            path.addEllipse(box);
            break;
        case TShape::Triangle:
            path.addPolygon(QPolygonF({QPointF(x + w / 2, y), QPointF(x + w, y + h),
                                       QPointF(x, y + h), QPointF(x + w / 2, y)}));
            break;
        case TShape::Diamond:
            path.addPolygon(QPolygonF({QPointF(x + w / 2, y), QPointF(x + w, y + h / 2),
                                       QPointF(x + w / 2, y + h), QPointF(x, y + h / 2),
                                       QPointF(x + w / 2, y)}));
            break;
        case TShape::Star:
            path.addPolygon(StarPolygon(box));
            break;
        case TShape::Ring:
            path.addEllipse(box);
            path.addEllipse(box.adjusted(w * 0.28, h * 0.28, -w * 0.28, -h * 0.28));
            break;
        case TShape::Screen:
            path.addRoundedRect(QRectF(x, y, w, h * 0.72), 2, 2);
            path.addRect(QRectF(x + w * 0.3, y + h * 0.82, w * 0.4, h * 0.18));
            break;
        case TShape::Checker:
            for (int square = 0; square < 16; square += 2) {
                const int row = square / 4, column = square % 4 + row % 2;
                path.addRect(QRectF(x + column * w / 4, y + row * h / 4, w / 4, h / 4));
            }
            break;
    }
    return path;
}

void DrawBackground(QPainter& painter) {
    QLinearGradient sky(0, 0, 0, kSplashPictureSize.height());
    sky.setColorAt(0, kNight);
    sky.setColorAt(1, kDusk);
    painter.fillRect(QRect(QPoint(0, 0), kSplashPictureSize), sky);
}

void DrawGrid(QPainter& painter) {
    for (std::size_t index = 0; index < kGridIcons.size(); ++index) {
        const int column = static_cast<int>(index % 3), row = static_cast<int>(index / 3);
        const QRectF cell(kGridOrigin.x() + column * (kCell + kCellGap),
                          kGridOrigin.y() + row * (kCell + kCellGap), kCell, kCell);
        painter.setPen(index == 4 ? QPen(kSelection, 2) : QPen(Qt::NoPen));
        painter.setBrush(kCellFace);
        painter.drawRoundedRect(cell, 3, 3);
        painter.setPen(Qt::NoPen);
        painter.setBrush(kGridIcons[index].color);
        painter.drawPath(ShapePath(kGridIcons[index].shape, cell.adjusted(6, 6, -6, -6)));
    }
}

void DrawLine(QPainter& painter, const QString& text, int pixels, QFont::Weight weight,
              const QColor& color, const QRect& box) {
    QFont font = painter.font();
    font.setPixelSize(pixels);
    font.setWeight(weight);
    painter.setFont(font);
    painter.setPen(color);
    painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, text);
}

void DrawTexts(QPainter& painter) {
    const int width = kSplashPictureSize.width() - kTextLeft - 8;
    DrawLine(painter, QStringLiteral("Marrowby 2"), 34, QFont::Bold, Qt::white,
             QRect(kTextLeft, 40, width, 44));
    painter.fillRect(QRect(kTextLeft, 86, 64, 3), kSelection);
    DrawLine(painter, QStringLiteral("Finds, shows and extracts icons"), 14, QFont::Normal,
             Qt::white, QRect(kTextLeft, 95, width, 20));
    DrawLine(painter, QString::fromLatin1(kSplashAddressText), 12, QFont::Normal, kLink,
             kSplashAddressArea);
    DrawLine(painter, QStringLiteral("\u00a9 Tallowmere, Inc."), 11, QFont::Normal,
             QColor(0xc8, 0xd3, 0xe0), QRect(kTextLeft, 176, width, 16));
}

}  // namespace

QPixmap SplashPicture(qreal devicePixelRatio) {
    QPixmap picture(kSplashPictureSize * devicePixelRatio);
    picture.setDevicePixelRatio(devicePixelRatio);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    DrawBackground(painter);
    DrawGrid(painter);
    DrawTexts(painter);
    return picture;
}
