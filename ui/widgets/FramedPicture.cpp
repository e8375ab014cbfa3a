#include "ui/widgets/FramedPicture.h"

#include <QLabel>
#include <QPixmap>

#include "ui/widgets/DesignedLayout.h"

namespace {

constexpr int kWidth = 422;
constexpr int kHeight = 217;
constexpr int kBorder = 2;

// Paints a widget's background in one colour.
void Fill(QWidget* widget, const QColor& color) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QWidget* BlackStrip(QWidget* parent, const char* name, const QRect& designed) {
    QWidget* strip = Place(new QWidget(parent), name, designed);
    Fill(strip, Qt::black);
    return strip;
}

}  // namespace

TFramedPicture::TFramedPicture(const QPixmap& picture, QWidget* parent) : QWidget(parent) {
    resize(kWidth, kHeight);
    Fill(this, Qt::white);
    imgPicture = Place(new QLabel(this), "imgPicture",
                       {kBorder, kBorder, kWidth - 2 * kBorder, kHeight - 2 * kBorder});
    imgPicture->setPixmap(picture);
    shpTop = BlackStrip(this, "shpTop", {0, 0, kWidth, kBorder});
    shpBottom = BlackStrip(this, "shpBottom", {0, kHeight - kBorder, kWidth, kBorder});
    shpLeft = BlackStrip(this, "shpLeft", {0, kBorder, kBorder, kHeight - 2 * kBorder});
    shpRight =
        BlackStrip(this, "shpRight", {kWidth - kBorder, kBorder, kBorder, kHeight - 2 * kBorder});
}
