#pragma once

#include <QRect>
#include <QString>

class QWidget;

// The dialogs are designed in pixels for an 8-point font. These helpers place controls at
// their designed positions and grow them where the platform's font needs more room, so no
// text is ever clipped.

// Gives a window the platform's font at 8 points.
void UseDesignFont(QWidget* window);

// Names a control after its role and puts it at its designed bounds; returns it.
template <typename Control>
Control* Place(Control* control, const char* name, const QRect& designed) {
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(designed);
    return control;
}

// Widens and heightens a control to what its text needs, never below its current size.
void GrowToText(QWidget* control);

// Sizes a label exactly to its text.
void SizeToText(QWidget* label);

// Moves a window so that it stands centred on its screen, halves rounded toward zero.
void CentreOnScreen(QWidget* window);
