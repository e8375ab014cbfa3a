#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QTabBar>
#include <QTimer>
#include <QToolButton>
#include <algorithm>

#include "ImageBuilder.h"
#include "ui/properties/PageControl.h"
#include "ui/properties/PaintBox.h"
#include "ui/properties/frmProperties.h"

namespace {

int Bottom(const QWidget* w) {
    return w->y() + w->height();
}
int Right(const QWidget* w) {
    return w->x() + w->width();
}

// The dialog's window stands centred on its screen.
void ExpectCentred(const TProperties& dialog) {
    const QRect screen = dialog.screen()->geometry();
    EXPECT_EQ(dialog.x(), screen.x() + (screen.width() - dialog.width()) / 2);
    EXPECT_EQ(dialog.y(), screen.y() + (screen.height() - dialog.height()) / 2);
}

// The buttons below the pages, OK at the right, and the window around pages and buttons; a
// window too large for the screen is cut to its free area, the buttons still in view.
void ExpectButtonsAndWindow(const TProperties& d) {
    const QSize area = d.screen()->availableGeometry().size();
    const QSize designed(d.PageControl1->width() + 16,
                         d.PageControl1->height() + d.btnOK->height() + 24);
    EXPECT_EQ(d.size(), designed.boundedTo(area));
    const int top = d.height() - d.btnOK->height() - 8;
    if (d.height() == designed.height()) {
        EXPECT_EQ(top, Bottom(d.PageControl1) + 8);
    }
    EXPECT_EQ(d.btnOK->y(), top);
    EXPECT_EQ(d.btnSaveAs->y(), top);
    EXPECT_EQ(d.btnCopy->y(), top);
    EXPECT_EQ(d.btnSaveAs->x(), 8);
    EXPECT_EQ(Right(d.btnOK), d.width() - 8);
    EXPECT_LE(Bottom(d.PagesView), top);
    ExpectCentred(d);
}

int TabsAndTexts(const TProperties& d) {
    return std::max(Right(d.Panel2) + d.PageControl1->PageChrome().width(),
                    d.PageControl1->TabsWidth());
}

}  // namespace

TEST(PropertiesLayout, SmallImagesGetTheLeastPagesAndTextPanel) {
    TLoadedIcon icon;
    icon.FileName = "/icons/app.ico";
    TLoadedIconImage& small = AddImage(icon, 16, 16, 4);
    AddImage(icon, 48, 48, 8);
    TProperties d;
    d.Fill(small);
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Icon Properties"));
    EXPECT_EQ(d.font().pointSize(), 8);
    EXPECT_EQ(d.Panel1->geometry(), QRect(8, 12, 30, 30));
    EXPECT_EQ(d.Panel2->x(), 38);
    EXPECT_EQ(d.Panel2->width(), 200);
    // The pages are as tall as the Image Formats page's preview area of 128 pixels and its
    // zoom slider need, more than the least height of 200.
    const int pagesHeight = d.PageControl1->height();
    EXPECT_GT(pagesHeight, 200);
    EXPECT_EQ(d.PageControl1->width(), TabsAndTexts(d));
    const int captionAndRule = d.MaskChannel.Caption->height() + d.MaskChannel.Rule->height();
    EXPECT_EQ(captionAndRule, 18);
    EXPECT_EQ(d.MaskChannel.Panel->geometry(), QRect(8, 12, 48, 16 + captionAndRule));
    EXPECT_EQ(d.MaskChannel.ButtonPanel->geometry(), QRect(8, 12 + 34 + 8, 23, 42));
    EXPECT_EQ(d.ImageChannel.Panel->geometry(), QRect(64, 12, 48, 34));
    EXPECT_EQ(d.ImageChannel.ButtonPanel->pos(), QPoint(64, 54));
    EXPECT_EQ(d.AlphaChannel.Panel->geometry(), QRect(120, 12, 48, 34));
    EXPECT_TRUE(d.AlphaChannel.Panel->isHidden());
    EXPECT_TRUE(d.AlphaChannel.ButtonPanel->isHidden());
    ExpectButtonsAndWindow(d);

    EXPECT_EQ(d.Label2->text(), QStringLiteral("/icons/"));
    EXPECT_EQ(d.Label4->text(), QStringLiteral("app.ico"));
    EXPECT_EQ(d.Label10->text(), QString());
    EXPECT_EQ(d.Label6->text(), QStringLiteral("16 x 16"));
    EXPECT_EQ(d.Label8->text(), QStringLiteral("4 bits/pixel"));
    EXPECT_EQ(d.Label1->text(), QStringLiteral("Location:"));
    EXPECT_EQ(d.Label7->text(), QStringLiteral("Color bit depth:"));
    // Values stand at 96, or further right where a caption needs more room in this font.
    EXPECT_EQ(d.Label2->x(),
              std::max({96, Right(d.Label1) + 8, Right(d.Label3) + 8, Right(d.Label5) + 8,
                        Right(d.Label7) + 8, Right(d.Label9) + 8}));
    EXPECT_EQ(d.Label8->x(), d.Label2->x());
    EXPECT_EQ(d.Label4->width(), d.Label4->sizeHint().width());

    // 48 x 48: the image frame grows, everything else keeps its least size.
    TProperties big;
    big.Fill(*icon.Images[1]);
    EXPECT_EQ(big.Panel1->size(), QSize(62, 62));
    EXPECT_EQ(big.Panel2->x(), 70);
    EXPECT_EQ(big.PageControl1->height(), pagesHeight);
    EXPECT_EQ(big.MaskChannel.Panel->size(), QSize(48, 66));
    EXPECT_EQ(big.MaskChannel.ButtonPanel->y(), 86);
    EXPECT_EQ(big.Label8->text(), QStringLiteral("8 bits/pixel"));
    ExpectButtonsAndWindow(big);
}

TEST(PropertiesLayout, ChannelPanelsHeightenAndThirtyTwoBitImagesWidenTheDialog) {
    TLoadedIcon icon;
    icon.FileName = "/icons/shell32.dll";
    TLoadedIconImage& colour = AddImage(icon, 128, 128, 24, "#3");
    TLoadedIconImage& alpha = AddImage(icon, 128, 128, 32, "#3");
    TProperties d24;
    d24.Fill(colour);
    const QSize chrome = d24.PageControl1->PageChrome();
    EXPECT_EQ(d24.MaskChannel.ButtonPanel->y(), 12 + 146 + 8);
    EXPECT_EQ(d24.PageControl1->height(), 166 + 42 + 8 + chrome.height());
    EXPECT_EQ(d24.Panel2->x(), 142 + 8);
    EXPECT_EQ(d24.PageControl1->width(), 150 + 200 + chrome.width());
    EXPECT_EQ(d24.Label10->text(), QStringLiteral("#3"));

    TProperties d32;
    d32.Fill(alpha);
    EXPECT_FALSE(d32.AlphaChannel.Panel->isHidden());
    EXPECT_FALSE(d32.AlphaChannel.ButtonPanel->isHidden());
    EXPECT_EQ(d32.AlphaChannel.Panel->geometry(), QRect(8 + 2 * 136, 12, 128, 146));
    EXPECT_EQ(d32.AlphaChannel.ButtonPanel->pos(), QPoint(280, 166));
    EXPECT_EQ(d32.PageControl1->width(), 280 + 128 + 8 + chrome.width());
    EXPECT_GT(d32.width(), d24.width());
    ExpectButtonsAndWindow(d32);

    // A 256-pixel image (directory byte 0) is sized as 256.
    TLoadedIconImage& huge = AddImage(icon, 256, 256, 32, "#4");
    TProperties d256;
    d256.Fill(huge);
    EXPECT_EQ(d256.Panel1->size(), QSize(270, 270));
    EXPECT_EQ(d256.Label6->text(), QStringLiteral("256 x 256"));
    EXPECT_EQ(d256.MaskChannel.Panel->size(), QSize(256, 274));
    ExpectButtonsAndWindow(d256);
}

TEST(PropertiesLayout, LongFolderPathWidensTextsPagesAndWindowWhichStaysCentred) {
    TLoadedIcon icon;
    icon.FileName = "/";
    for (int i = 0; i < 12; ++i) icon.FileName += "a-rather-long-folder-name/";
    icon.FileName += "tools.exe";
    TLoadedIconImage& image = AddImage(icon, 32, 32, 8, "MAINICON");
    TProperties d;
    d.Fill(image);
    EXPECT_EQ(d.Label4->text(), QStringLiteral("tools.exe"));
    EXPECT_TRUE(d.Label2->text().endsWith(QStringLiteral("folder-name/")));
    EXPECT_GT(d.Label2->width(), 400);
    EXPECT_EQ(d.Label2->width(), d.Label2->sizeHint().width());
    EXPECT_EQ(d.Panel2->width(), d.Label2->width() + d.Label2->x() + 32);
    EXPECT_EQ(d.PageControl1->width(), Right(d.Panel2) + d.PageControl1->PageChrome().width());
    ExpectButtonsAndWindow(d);
}

TEST(PropertiesLayout, FormatsListHoldsTheImagesOfTheShownIconInOrder) {
    TLoadedIcon icon;
    icon.FileName = "/icons/lib.dll";
    AddImage(icon, 32, 32, 8, "#1");
    TLoadedIconImage& shown = AddImage(icon, 16, 16, 4, "#1");
    TLoadedIconImage& other = AddImage(icon, 48, 48, 32, "#2");
    AddImage(icon, 256, 256, 32, "#1");
    AddImage(icon, 24, 24, 1, "#10");
    TProperties d;
    d.Fill(shown);
    ASSERT_EQ(d.lbxFormats->count(), 3);
    EXPECT_EQ(d.lbxFormats->item(0)->text(), QStringLiteral("32x32 pixels, 8 bpp"));
    EXPECT_EQ(d.lbxFormats->item(1)->text(), QStringLiteral("16x16 pixels, 4 bpp"));
    EXPECT_EQ(d.lbxFormats->item(2)->text(), QStringLiteral("256x256 pixels, 32 bpp"));
    EXPECT_EQ(d.lbxFormats->currentRow(), 1);  // the image opened
    EXPECT_EQ(d.Panel17->text(), QStringLiteral(" 3 image formats for this icon"));
    EXPECT_EQ(d.Panel18->width(), 256 + 16);
    EXPECT_EQ(d.btnSaveMultiFormatICO->toolTip(), QStringLiteral("Save multi format icon."));

    TProperties single;
    single.Fill(other);
    EXPECT_EQ(single.lbxFormats->count(), 1);
    EXPECT_EQ(single.Panel17->text(), QStringLiteral(" 1 image format for this icon"));
    EXPECT_EQ(single.Panel18->width(), 128 + 16);  // the preview's least area

    // Images of an icon file have no resource name: the list holds all of them.
    TLoadedIcon file;
    file.FileName = "/icons/faces.ico";
    AddImage(file, 16, 16, 4);
    TLoadedIconImage& second = AddImage(file, 32, 32, 4);
    AddImage(file, 8, 8, 1);
    TProperties all;
    all.Fill(second);
    EXPECT_EQ(all.lbxFormats->count(), 3);
    EXPECT_EQ(all.Panel18->width(), 128 + 16);
    EXPECT_EQ(all.Panel17->text(), QStringLiteral(" 3 image formats for this icon"));
}

// Shown, every tab is whole, the General page is the first one seen, and nothing of the
// quoted texts is clipped.
TEST(PropertiesLayout, ShownDialogShowsEveryTabAndTextInFull) {
    TLoadedIcon icon;
    icon.FileName = "/icons/app.ico";
    TLoadedIconImage& image = AddImage(icon, 16, 16, 1);
    TProperties d;
    d.PageControl1->setCurrentIndex(2);
    QTimer::singleShot(0, &d, [&] {
        EXPECT_EQ(d.PageControl1->currentWidget(), d.TabSheet1);
        const QTabBar* tabs = d.PageControl1->tabBar();
        ASSERT_EQ(tabs->count(), 4);
        EXPECT_EQ(tabs->tabText(0), QStringLiteral("General"));
        EXPECT_EQ(tabs->tabText(1), QStringLiteral("Color Palette"));
        EXPECT_EQ(tabs->tabText(2), QStringLiteral("Channels"));
        EXPECT_EQ(tabs->tabText(3), QStringLiteral("Image Formats"));
        EXPECT_LE(tabs->tabRect(3).right(), tabs->width());
        EXPECT_EQ(d.TabSheet1->height(),
                  d.PageControl1->height() - d.PageControl1->PageChrome().height());
        for (QWidget* w : std::initializer_list<QWidget*>{d.btnSaveAs, d.btnCopy, d.btnOK, d.Label7,
                                                          d.Label9, d.Panel17}) {
            EXPECT_GE(w->width(), w->sizeHint().width()) << w->objectName().toStdString();
        }
        EXPECT_LE(Right(d.Panel2), d.TabSheet1->width());
        d.btnOK->click();
    });
    d.ShowImageProperties(image);
    EXPECT_FALSE(d.SaveAsRequested);
    EXPECT_FALSE(d.CopyRequested);
}
