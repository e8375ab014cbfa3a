#include "ui/widgets/ScreenCursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace {
bool shown = false;
}  // namespace

void ShowHourglass() {
    if (shown) return;
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    shown = true;
}

void RestoreCursor() {
    if (!shown) return;
    QGuiApplication::restoreOverrideCursor();
    shown = false;
}

bool HourglassShown() {
    return shown;
}
