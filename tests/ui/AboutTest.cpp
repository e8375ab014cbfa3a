#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "UrlRecorder.h"
#include "ui/dialogs/frmAbout.h"
#include "ui/main/HelpAndWeb.h"
#include "ui/main/frmMain.h"
#include "ui/splash/SplashPicture.h"
#include "ui/widgets/FramedPicture.h"

namespace {

TEST(About, TextsAndDesignedGeometry) {
    TAbout about;
    EXPECT_EQ(about.windowTitle(), QStringLiteral("About"));
    EXPECT_EQ(about.size(), QSize(439, 409));
    EXPECT_EQ(about.minimumSize(), about.maximumSize());  // a dialog border: not resizable
    const Qt::WindowFlags flags = about.windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowContextHelpButtonHint));
    const QRect screen = about.screen()->geometry();
    EXPECT_EQ(about.pos(), QPoint(screen.x() + (screen.width() - 439) / 2,
                                  screen.y() + (screen.height() - 409) / 2));

    EXPECT_EQ(about.pnlBanner->geometry(), QRect(8, 8, 422, 217));
    EXPECT_EQ(about.pnlBanner->imgPicture->geometry(), QRect(2, 2, 418, 213));

    EXPECT_EQ(about.btnHomePage->geometry(), QRect(156, 133, 255, 14));
    EXPECT_TRUE(about.btnHomePage->text().isEmpty());
    EXPECT_TRUE(about.btnHomePage->isFlat());
    EXPECT_EQ(about.btnHomePage->cursor().shape(), Qt::PointingHandCursor);
    // The button covers the address the banner shows.
    const QPoint pictureOrigin = about.pnlBanner->pos() + about.pnlBanner->imgPicture->pos();
    EXPECT_EQ(about.btnHomePage->geometry(), kSplashAddressArea.translated(pictureOrigin));

    EXPECT_EQ(about.lblVersion->text(), QStringLiteral("Version 2.19.115"));
    EXPECT_EQ(about.lblVersion->pos(), QPoint(168, 236));
    EXPECT_GE(about.lblVersion->width(), about.lblVersion->sizeHint().width());
    EXPECT_LE(about.lblVersion->geometry().right(), 439);

    EXPECT_EQ(about.btnOK->text(), QStringLiteral("OK"));
    EXPECT_EQ(about.btnOK->geometry(), QRect(168, 368, 75, 25));
    EXPECT_TRUE(about.btnOK->isDefault());
}

TEST(About, BannerIsFramedInBlackAndLooksAsDesigned) {
    TAbout about;
    about.show();
    const QImage shown = about.grab().toImage();
    shown.save(QStringLiteral(MARROWBY_TEST_OUTPUT_DIR "/marrowby2-about.png"));
    for (QPoint black : {QPoint(8, 8), QPoint(9, 120), QPoint(429, 224), QPoint(300, 9)}) {
        EXPECT_EQ(shown.pixel(black), qRgb(0, 0, 0)) << black.x() << "," << black.y();
    }
    // The see-through button leaves the banner's address visible: the button's area holds
    // the same pixels as the picture.
    const QImage picture = SplashPicture(1.0).toImage().convertToFormat(shown.format());
    EXPECT_EQ(shown.copy(156, 133, 255, 14), picture.copy(kSplashAddressArea));
}

TEST(About, OkEscapeAndTheBannerButtonCloseTheBox) {
    {
        TAbout about;
        QTimer::singleShot(0, about.btnOK, &QPushButton::click);
        EXPECT_EQ(about.exec(), QDialog::Accepted);
    }
    {
        TAbout about;
        QTimer::singleShot(0, &about, [&] { QTest::keyClick(&about, Qt::Key_Escape); });
        EXPECT_EQ(about.exec(), QDialog::Rejected);
    }
    UrlRecorder urls;
    TAbout about;
    QTimer::singleShot(0, about.btnHomePage, &QPushButton::click);
    about.exec();
    EXPECT_FALSE(about.isVisible());
    ASSERT_EQ(urls.opened.size(), 1);
    EXPECT_EQ(urls.opened[0], QUrl(QString::fromLatin1(kHomePage)));
}

TEST(About, HelpMenuOpensTheThreeWebPagesAndTheBox) {
    QApplication::setQuitOnLastWindowClosed(false);
    TMain main;
    UrlRecorder urls;
    auto trigger = [&](const char* item) {
        main.findChild<QAction*>(QString::fromLatin1(item))->trigger();
    };
    trigger("UpdatesTechnicalSupport1");
    trigger("MarrowbyHomePage1");
    trigger("TallowmereIncWebSite1");
    ASSERT_EQ(urls.opened.size(), 3);
    EXPECT_EQ(urls.opened[0], QUrl(QString::fromLatin1(kTechnicalSupportPage)));
    EXPECT_EQ(urls.opened[1], QUrl(QString::fromLatin1(kHomePage)));
    EXPECT_EQ(urls.opened[2], QUrl(QString::fromLatin1(kMakerWebSite)));

    QString shownTitle;
    QTimer::singleShot(0, [&] {
        auto* about = qobject_cast<TAbout*>(QApplication::activeModalWidget());
        ASSERT_NE(about, nullptr);
        shownTitle = about->windowTitle();
        about->btnOK->click();
    });
    trigger("AboutMarrowby1");
    EXPECT_EQ(shownTitle, QStringLiteral("About"));
    EXPECT_EQ(main.findChild<TAbout*>(), nullptr);  // freed after use
}

}  // namespace
