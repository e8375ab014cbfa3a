#pragma once

#include <QFont>
#include <QStringList>

class TLoadedIconImage;

// The label lines under a cell: "W x H, D bpp" ("W x H, PNG" for a PNG-stored image), with
// ", damaged" for a damaged image; with nameFile a second line names the image's file.
QStringList CellLabel(const TLoadedIconImage& image, bool nameFile);
// The first line, damaged or not as told: the grid measures its labels without decoding.
QString CellSizeText(const TLoadedIconImage& image, bool damaged);

// The platform's small font, which the labels are drawn in.
QFont CellLabelFont();
