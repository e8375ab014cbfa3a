#include "ui/widgets/DesignedLayout.h"

#include <QApplication>
#include <QLabel>
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

QLabel* MakeLabel(QWidget* parent, const char* name, const char* text, QPoint at) {
    auto* label = Named(new QLabel(QString::fromLatin1(text), parent), name);
    label->move(at);
    SizeToText(label);
    return label;
}

int RightEdge(const QWidget* control) {
    return control->x() + control->width();
}

int BottomEdge(const QWidget* control) {
    return control->y() + control->height();
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
