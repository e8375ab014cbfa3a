#pragma once

#include <QRect>
#include <QString>

class QPainter;
class TLoadedIconImage;

// How a damaged image is named to the user: "Damaged: " and the reason.
QString DamageText(const TLoadedIconImage& Image);

// The mark a damaged image shows in its cell: a small picture frame split by a jagged red
// crack, centred in Cell, 16 pixels wide or as wide as a smaller cell.
void DrawDamagedMark(QPainter& Painter, const QRect& Cell);
