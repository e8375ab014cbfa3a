#include "ui/properties/PaintBox.h"

#include <QPainter>

#include "toolkit/GuardedPaint.h"

void TPaintBox::paintEvent(QPaintEvent*) {
    if (!OnPaint) return;
    QPainter painter(this);
    GuardedPaint([&] { OnPaint(painter); });
}
