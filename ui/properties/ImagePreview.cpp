#include "ui/properties/ImagePreview.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "icons/LoadedIcon.h"
#include "ui/viewer/CellScale.h"
#include "ui/widgets/DamagedMark.h"
#include "ui/widgets/QtColor.h"
#include "ui/widgets/SharpPicture.h"

TImagePreview::TImagePreview(QWidget* parent) : QWidget(parent) {}

void TImagePreview::SetImage(const TLoadedIconImage* image) {
    image_ = image;
    Resize();
    update();
}

int TImagePreview::FitZoom(const TLoadedIconImage& image, const QSize& area) {
    const int zoom =
        std::min(area.width() / image.PixelWidth(), area.height() / image.PixelHeight());
    return std::clamp(zoom, 1, kMostZoom);
}

void TImagePreview::SetZoom(int zoom) {
    zoom_ = std::clamp(zoom, 1, kMostZoom);
    Resize();
    update();
}

void TImagePreview::SetArea(const QSize& area) {
    area_ = area;
    Resize();
}

void TImagePreview::Resize() {
    QSize size = area_;
    if (image_) size = size.expandedTo(QSize(image_->PixelWidth(), image_->PixelHeight()) * zoom_);
    setFixedSize(size);
}

QRect TImagePreview::PictureRect() const {
    if (!image_) return {};
    const QSize picture = QSize(image_->PixelWidth(), image_->PixelHeight()) * zoom_;
    return QRect(QPoint((width() - picture.width()) / 2, (height() - picture.height()) / 2),
                 picture);
}

void TImagePreview::paintEvent(QPaintEvent*) {
    if (!image_) return;
    QPainter painter(this);
    const QRect picture = PictureRect();
    if (!image_->Damage().empty()) {
        DrawDamagedMark(painter, rect());
        return;
    }
    const double ratio = devicePixelRatioF();
    const TCellScale scale{std::max(1, static_cast<int>(std::lround(ratio * zoom_))), 0, 0};
    QImage drawn = SharpPicture(*image_, ToTColor(palette().color(QPalette::Button)), scale);
    drawn.setDevicePixelRatio(ratio);
    painter.drawImage(QRectF(picture), drawn);
    if (zoom_ >= kGridFrom) DrawGrid(painter, picture);
    if (image_->HotSpot) DrawHotSpot(painter, picture);
}

// Lines between the pixels, a grey that shows on dark and light pixels alike.
void TImagePreview::DrawGrid(QPainter& painter, const QRect& picture) const {
    painter.setPen(QPen(QColor(128, 128, 128, 160), 0));
    for (int x = 0; x <= image_->PixelWidth(); ++x) {
        const int at = picture.left() + x * zoom_;
        painter.drawLine(at, picture.top(), at, picture.top() + picture.height());
    }
    for (int y = 0; y <= image_->PixelHeight(); ++y) {
        const int at = picture.top() + y * zoom_;
        painter.drawLine(picture.left(), at, picture.left() + picture.width(), at);
    }
}

// Red lines across the picture through the middle of the hot spot's pixel.
void TImagePreview::DrawHotSpot(QPainter& painter, const QRect& picture) const {
    const QPointF centre(picture.left() + (image_->HotSpot->X + 0.5) * zoom_,
                         picture.top() + (image_->HotSpot->Y + 0.5) * zoom_);
    painter.setPen(QPen(QColor(220, 0, 0), 1));
    painter.drawLine(QPointF(picture.left(), centre.y()), QPointF(picture.right() + 1, centre.y()));
    painter.drawLine(QPointF(centre.x(), picture.top()), QPointF(centre.x(), picture.bottom() + 1));
}
