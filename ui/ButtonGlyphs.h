#pragma once

#include <QIcon>

// The small pictures of the flat tool buttons, drawn in code so that they show on every
// platform: a floppy disk for saving and two sheets for copying. The desktop theme's own icons
// are used where it has them.
QIcon SaveGlyph();
QIcon CopyGlyph();
