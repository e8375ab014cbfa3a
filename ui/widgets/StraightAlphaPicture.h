#pragma once

#include <QByteArray>
#include <QImage>

#include "icons/LoadedIcon.h"

// The image's own pixels with their alpha, not blended with any background.
QImage StraightAlphaPicture(TLoadedIconImage& Image);

// The same picture as the bytes of a PNG file, for image/png on the clipboard and in drags.
QByteArray StraightAlphaPng(TLoadedIconImage& Image);
