#include <QClipboard>
#include <QFileInfo>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalSpy>
#include <QToolButton>
#include <QUrl>

#include "CommandFixture.h"

namespace {

QImage DecodedPng(const QByteArray& bytes) {
    return QImage::fromData(bytes, "PNG").convertToFormat(QImage::Format_RGBA8888);
}

// A picture with alpha, composited over a colour, gives the picture the image draws over that
// colour; and some of its pixels are partly transparent, so the alpha is the image's own.
void ExpectOwnPixelsWithAlpha(const QImage& picture, const TLoadedIconImage& image) {
    QImage over(picture.size(), QImage::Format_RGB32);
    over.fill(QColor(0, 128, 255));
    QPainter painter(&over);
    painter.drawImage(0, 0, picture);
    painter.end();
    int partly = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const int alpha = qAlpha(picture.pixel(x, y));
            partly += alpha > 0 && alpha < 255;
            const QRgb expected = ExpectedPixel(image, x, y, QColor(0, 128, 255));
            ASSERT_NEAR(qRed(over.pixel(x, y)), qRed(expected), 2) << x << "," << y;
            ASSERT_NEAR(qGreen(over.pixel(x, y)), qGreen(expected), 2) << x << "," << y;
            ASSERT_NEAR(qBlue(over.pixel(x, y)), qBlue(expected), 2) << x << "," << y;
        }
    }
    EXPECT_GT(partly, 0);
}

void SendMouse(QWidget* target, QEvent::Type type, Qt::MouseButtons buttons, const QPoint& pos) {
    QMouseEvent event(type, QPointF(pos), target->mapToGlobal(QPointF(pos)), Qt::LeftButton,
                      buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

}  // namespace

// Copy puts the picture with alpha beside the bitmap drawn over the background; a drag of the
// selection out of the grid offers the selected cells as PNG files named by file, resource, size
// and depth with the stored separator, and the first of them as image/png. A plain press on a
// cell drags once the pointer has moved the drag distance; Shift selects a range instead.
TEST_F(CommandFixture, CopyAndDragOutHandTheImagesOwnPixelsWithAlphaToOtherPrograms) {
    LoadIcon("src/pic.ico", BuildIco({PictureEntry(16, 8), PictureEntry(32, 32),
                                      PictureEntry(48, 32), PictureEntry(32, 32)}));
    TViewerGrid& grid = *main->lbxViewer;
    SetCaret(1);
    main->btnCopy->click();
    const QMimeData* copied = QApplication::clipboard()->mimeData();
    ASSERT_TRUE(copied);
    ExpectDrawnOver(QApplication::clipboard()->image(), grid.Item(1), Qt::white);
    ASSERT_TRUE(copied->hasFormat(QStringLiteral("image/png")));
    ExpectOwnPixelsWithAlpha(DecodedPng(copied->data(QStringLiteral("image/png"))), grid.Item(1));

    main->ExportFilenameFormat->setText(QStringLiteral("0"));  // numeric names in exports
    main->ExportSeperator->setText(QStringLiteral("2"));       // hyphen
    main->ExportPrefix->setText(QStringLiteral("drag|"));
    Select({1, 2, 3});
    const std::unique_ptr<QMimeData> dragged = main->DragOutData();
    ASSERT_TRUE(dragged);
    QStringList names;
    QList<int> widths;
    for (const QUrl& url : dragged->urls()) {
        names << QFileInfo(url.toLocalFile()).fileName();
        widths << QImage(url.toLocalFile()).width();
    }
    EXPECT_EQ(widths, QList<int>({32, 48, 32}));
    EXPECT_EQ(names, QStringList({"pic--32x32x32.png", "pic--48x48x32.png", "pic--32x32x32-(2).png"}));
    ExpectOwnPixelsWithAlpha(DecodedPng(dragged->data(QStringLiteral("image/png"))), grid.Item(1));

    QObject::disconnect(&grid, &TViewerGrid::DragOut, main.get(), nullptr);
    QSignalSpy drags(&grid, &TViewerGrid::DragOut);
    const QPoint distance(QApplication::startDragDistance(), 0);
    const QPoint onSelected = grid.ItemRect(2).center();
    SendMouse(grid.viewport(), QEvent::MouseButtonPress, Qt::LeftButton, onSelected);
    SendMouse(grid.viewport(), QEvent::MouseMove, Qt::LeftButton, onSelected + QPoint(1, 0));
    EXPECT_EQ(drags.count(), 0);
    SendMouse(grid.viewport(), QEvent::MouseMove, Qt::LeftButton, onSelected + distance);
    EXPECT_EQ(drags.count(), 1);
    EXPECT_EQ(grid.SelCount(), 3);
    SendMouse(grid.viewport(), QEvent::MouseButtonRelease, Qt::NoButton, onSelected + distance);

    const QPoint onOther = grid.ItemRect(0).center();
    SendMouse(grid.viewport(), QEvent::MouseButtonPress, Qt::LeftButton, onOther);
    EXPECT_EQ(grid.SelCount(), 1);
    SendMouse(grid.viewport(), QEvent::MouseMove, Qt::LeftButton, onOther - distance);
    SendMouse(grid.viewport(), QEvent::MouseButtonRelease, Qt::NoButton, onOther - distance);
    EXPECT_EQ(drags.count(), 2);
    EXPECT_TRUE(grid.IsSelected(0));

    QMouseEvent shiftPress(QEvent::MouseButtonPress, QPointF(grid.ItemRect(1).center()),
                           grid.viewport()->mapToGlobal(QPointF(grid.ItemRect(1).center())),
                           Qt::LeftButton, Qt::LeftButton, Qt::ShiftModifier);
    QCoreApplication::sendEvent(grid.viewport(), &shiftPress);
    SendMouse(grid.viewport(), QEvent::MouseMove, Qt::LeftButton, grid.ItemRect(2).center());
    SendMouse(grid.viewport(), QEvent::MouseButtonRelease, Qt::NoButton, grid.ItemRect(2).center());
    EXPECT_EQ(drags.count(), 2);
    EXPECT_EQ(grid.SelCount(), 3);
}
