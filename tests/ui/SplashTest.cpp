#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

#include "ui/splash/Splash.h"
#include "ui/widgets/FramedPicture.h"

namespace {

TEST(Splash, StaysUpOneSecondAfterShowingWhateverTheTickCounter) {
    // Below one second the rest of the second remains; from one second on nothing.
    EXPECT_EQ(SplashRemainingMs(5000, 5000), 1000);
    EXPECT_EQ(SplashRemainingMs(5000, 5300), 700);
    EXPECT_EQ(SplashRemainingMs(5000, 5999), 1);
    EXPECT_EQ(SplashRemainingMs(5000, 6000), 0);
    EXPECT_EQ(SplashRemainingMs(5000, 65000), 0);
    // The counter wrapped between showing and hiding: 356 ms elapsed.
    EXPECT_EQ(SplashRemainingMs(0xFFFFFF00u, 0x64u), 644);
    EXPECT_EQ(SplashRemainingMs(0xFFFFFFFFu, 1500), 0);
    // The counter went backwards: a short wait rather than a long one.
    EXPECT_EQ(SplashRemainingMs(5000, 4999), 100);
    EXPECT_EQ(SplashRemainingMs(5000, 0), 100);
    // The farthest distances in either direction wrap to no wait at all.
    EXPECT_EQ(SplashRemainingMs(0x80000000u, 0), 0);
    EXPECT_EQ(SplashRemainingMs(0, 0x7FFFFFFFu), 0);
}

TEST(Splash, WindowIsTheFramedPictureCentredWithoutBorder) {
    ShowSplash();
    TSplashForm* splash = SplashForm();
    ASSERT_NE(splash, nullptr);
    EXPECT_TRUE(splash->isVisible());
    EXPECT_EQ(splash->parentWidget(), nullptr);
    EXPECT_TRUE(splash->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(splash->size(), QSize(422, 217));
    const QRect screen = splash->screen()->geometry();
    EXPECT_EQ(splash->pos(), QPoint(screen.x() + (screen.width() - 422) / 2,
                                    screen.y() + (screen.height() - 217) / 2));

    const TFramedPicture* panel = splash->pnlSplash;
    EXPECT_EQ(panel->geometry(), QRect(0, 0, 422, 217));
    EXPECT_EQ(panel->shpTop->geometry(), QRect(0, 0, 422, 2));
    EXPECT_EQ(panel->shpBottom->geometry(), QRect(0, 215, 422, 2));
    EXPECT_EQ(panel->shpLeft->geometry(), QRect(0, 2, 2, 213));
    EXPECT_EQ(panel->shpRight->geometry(), QRect(420, 2, 2, 213));
    EXPECT_EQ(panel->imgPicture->geometry(), QRect(2, 2, 418, 213));
    EXPECT_EQ(panel->imgPicture->pixmap().deviceIndependentSize(), QSizeF(418, 213));

    const QImage shown = splash->grab().toImage();
    shown.save(QStringLiteral(MARROWBY_TEST_OUTPUT_DIR "/marrowby2-splash.png"));
    for (QPoint black : {QPoint(0, 0), QPoint(1, 100), QPoint(421, 216), QPoint(200, 215)}) {
        EXPECT_EQ(shown.pixel(black), qRgb(0, 0, 0)) << black.x() << "," << black.y();
    }
    EXPECT_NE(shown.pixel(2, 2), qRgb(0, 0, 0));  // the picture starts inside the frame

    HideSplash();
    EXPECT_EQ(SplashForm(), nullptr);
}

}  // namespace
