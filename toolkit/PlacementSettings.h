#pragma once

class QSettings;
class QWidget;

// The screen the placement values are written on and compared with: the primary screen's size
// in pixels and its logical resolution.
struct TScreenMetrics {
    int Width = 0;
    int Height = 0;
    int PixelsPerInch = 96;
};
TScreenMetrics CurrentScreenMetrics();

// Writes the window's placement values (Flags, ShowCmd, PixelsPerInch, MinMaxPos and NormPos
// under their plain names and again suffixed with the screen size, and Visible: "1" when
// written while the window is destroyed) into the settings' current group.
void WritePlacement(QSettings& settings, const QWidget& window, bool destroying);

// Reads the placement values back. The position is applied only when one was stored and the
// stored resolution equals the current one; values suffixed with the current screen size win
// over the plain ones. The show state is applied in any case.
void RestorePlacement(const QSettings& settings, QWidget& window);
