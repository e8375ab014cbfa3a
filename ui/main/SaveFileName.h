#pragma once

#include <QString>

// The file name's own extension, from its last dot on and lower-cased; empty when the name
// (the part after the last "/") has no dot: "FACES.ICO" gives ".ico", "a.b/faces" gives "".
QString FileExtension(const QString& FileName);

// FileName with Extension (".ico", dot included) appended unless the file name's own
// extension already is that: "faces" becomes "faces.ico", "faces.bmp" becomes
// "faces.bmp.ico", "FACES.ICO" stays as it is.
QString WithExtension(const QString& FileName, const QString& Extension);
