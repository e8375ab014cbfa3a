#pragma once

#include <QWidget>

class QLabel;
class QPixmap;

// A white 422 x 217 panel framed by a 2-pixel black border (four black strips: top and bottom
// 422 x 2, left and right 2 x 213) holding a 418 x 213 picture at 2, 2. The splash window and
// the about box's banner are built from it.
class TFramedPicture : public QWidget {
    Q_OBJECT
public:
    TFramedPicture(const QPixmap& picture, QWidget* parent);

    QWidget* shpTop;
    QWidget* shpBottom;
    QWidget* shpLeft;
    QWidget* shpRight;
    QLabel* imgPicture;
};
