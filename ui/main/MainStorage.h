#pragma once

#include <QColor>
#include <memory>

class TFormStorage;
class TMain;

// The main window's settings store: its placement and, in this order, the folder pane's width,
// the viewer pane's height, the four view buttons, the selected folder, the copy background
// colour, the always-scan button, the view's cursor, duplicate and zoom choices, the save
// dialog's type entry and folder, and the seven batch-export settings. It raises the main
// window's FormStorageRestorePlacement after every restore.
std::unique_ptr<TFormStorage> CreateMainStorage(TMain& main);

// A colour as the store keeps it: red in the low byte, then green, then blue.
int ColorValue(const QColor& color);
// The colour of a stored value; bits above the blue byte are ignored.
QColor ColorFromValue(int value);
