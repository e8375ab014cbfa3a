#include "ui/PaintBox.h"

#include <QPainter>

void TPaintBox::paintEvent(QPaintEvent*) {
    if (!OnPaint) return;
    QPainter painter(this);
    OnPaint(painter);
}
