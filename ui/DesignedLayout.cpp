#include "ui/DesignedLayout.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace {

constexpr int kFontPoints = 8;

}  // namespace

void UseDesignFont(QWidget* window) {
    QFont font = QApplication::font();
    font.setPointSize(kFontPoints);
    window->setFont(font);
}

void GrowToText(QWidget* control) {
    const QSize hint = control->sizeHint();
    control->resize(std::max(control->width(), hint.width()),
                    std::max(control->height(), hint.height()));
}

void SizeToText(QWidget* label) {
    label->resize(label->sizeHint());
}

void CentreOnScreen(QWidget* window) {
    const QScreen* shown = window->screen();
    if (!shown) return;
    const QRect area = shown->geometry();
    window->move(area.x() + (area.width() - window->width()) / 2,
                 area.y() + (area.height() - window->height()) / 2);
}
