#pragma once

#include <QString>

// FileName with Extension (".ico", dot included) appended unless the file name's own
// extension, from its last dot on and lower-cased, already is that: "faces" becomes
// "faces.ico", "faces.bmp" becomes "faces.bmp.ico", "FACES.ICO" stays as it is.
QString WithExtension(const QString& FileName, const QString& Extension);
