#pragma once

#include <QPoint>
#include <QRect>
#include <QString>

class QLabel;
class QWidget;

// The dialogs are designed in pixels for an 8-point font. These helpers give every dialog its
// frame and font, create its controls under their names at their designed positions, and grow
// them where the platform's font needs more room, so no text is ever clipped.

// A dialog's frame: a title bar with a close box, nothing to minimise, maximise or ask help.
inline constexpr Qt::WindowFlags kDialogFrame =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
// The frame of a dialog that only its own Cancel button ends: a title bar without close box.
inline constexpr Qt::WindowFlags kDialogFrameWithoutClose =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;

// Gives a window the platform's font at 8 points.
void UseDesignFont(QWidget* window);

// Names a control after its role; returns it. For controls a layout or the code sizes later.
template <typename Control>
Control* Named(Control* control, const char* name) {
    control->setObjectName(QString::fromLatin1(name));
    return control;
}

// Names a control and puts it at its designed bounds; returns it.
template <typename Control>
Control* Place(Control* control, const char* name, const QRect& designed) {
    Named(control, name)->setGeometry(designed);
    return control;
}

// A label showing text with its top left corner at `at`, sized exactly to its text.
QLabel* MakeLabel(QWidget* parent, const char* name, const char* text, QPoint at = {});

// The right and bottom edges of a control in its parent: the first column and row past it.
int RightEdge(const QWidget* control);
int BottomEdge(const QWidget* control);

// Widens and heightens a control to what its text needs, never below its current size.
void GrowToText(QWidget* control);

// Sizes a label exactly to its text.
void SizeToText(QWidget* label);

// Moves a window so that it stands centred on its screen, halves rounded toward zero.
void CentreOnScreen(QWidget* window);
