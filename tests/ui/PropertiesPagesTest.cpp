#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include "AniBuilder.h"
#include "IcoBuilder.h"
#include "ImageBuilder.h"
#include "ScriptedPrompter.h"
#include "TempDir.h"
#include "icons/LoadIcons.h"
#include "icons/readers/AniReader.h"
#include "ui/properties/AniPlayer.h"
#include "ui/properties/ImagePreview.h"
#include "ui/properties/PageControl.h"
#include "ui/properties/PaintBox.h"
#include "ui/properties/frmProperties.h"

namespace fs = std::filesystem;

namespace {

QRgb Rgb(const TPaletteEntry& e) {
    return qRgb(e.Red, e.Green, e.Blue);
}
QRgb Rgb(TColor c) {
    return qRgb(c.Red, c.Green, c.Blue);
}

// Shows the dialog for image and plays the user's actions once it is up; a dialog the actions
// leave open fails the test and is closed.
void RunDialog(TProperties& dialog, TLoadedIconImage& image,
               const std::function<void(TProperties&)>& user) {
    QTimer::singleShot(0, &dialog, [&] {
        user(dialog);
        if (dialog.isVisible()) {
            ADD_FAILURE() << "the dialog is still open";
            dialog.reject();
        }
    });
    dialog.ShowImageProperties(image);
}

TLoadedIconImage& PalettedImage(TLoadedIcon& icon, int bitCount) {
    TLoadedIconImage& image = AddImage(icon, 32, 32, bitCount);
    for (int i = 0; i < (1 << bitCount); ++i) {
        SetPaletteColor(image, i, static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i),
                        static_cast<std::uint8_t>(i * 7));
    }
    return image;
}

// Every cell shows its palette entry up to its lines; the lines are black across the whole
// picture.
void ExpectPaletteCells(const TBitmap& picture, const TLoadedIconImage& image, int columns,
                        int cellWidth, int cellHeight) {
    ASSERT_EQ(picture.Width(), 209);
    ASSERT_EQ(picture.Height(), 161);
    for (int r = 0; r < columns; ++r) {
        for (int c = 0; c < columns; ++c) {
            const QRgb entry =
                Rgb(image.Palette.Entries[static_cast<std::size_t>(columns * r + c)]);
            const int left = cellWidth * c;
            const int top = cellHeight * r;
            for (QPoint at : {QPoint(left + 1, top + 1), QPoint(left + cellWidth - 1, top + 1),
                              QPoint(left + 1, top + cellHeight - 1),
                              QPoint(left + cellWidth / 2, top + cellHeight / 2)}) {
                ASSERT_EQ(Rgb(picture.PixelColor(at.x(), at.y())), entry)
                    << "cell " << r << "," << c;
            }
        }
    }
    for (int i = 0; i <= columns; ++i) {
        for (int y = 0; y < 161; ++y) ASSERT_EQ(picture.PixelColor(cellWidth * i, y), clBlack);
        for (int x = 0; x < 209; ++x) ASSERT_EQ(picture.PixelColor(x, cellHeight * i), clBlack);
    }
}

ByteString ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return ByteString(std::istreambuf_iterator<char>(in), {});
}

std::uint32_t U32At(const ByteString& bytes, std::size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
           static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

TSaveFileAnswer Chosen(const fs::path& path) {
    return {true, QString::fromStdString(path.string()), 1};
}

}  // namespace

TEST(PropertiesPages, PaletteOfFourAndEightBitImagesIsAGridOfCells) {
    TLoadedIcon icon;
    TLoadedIconImage& four = PalettedImage(icon, 4);
    TLoadedIconImage& eight = PalettedImage(icon, 8);
    TProperties d4;
    d4.Fill(four);
    ASSERT_TRUE(d4.PaletteBitmap);
    EXPECT_FALSE(d4.Panel3->isHidden());
    ExpectPaletteCells(*d4.PaletteBitmap, four, 4, 52, 40);
    TProperties d8;
    d8.Fill(eight);
    ASSERT_TRUE(d8.PaletteBitmap);
    ExpectPaletteCells(*d8.PaletteBitmap, eight, 16, 13, 10);

    // On screen the picture stands centred in its page.
    RunDialog(d8, eight, [&](TProperties& d) {
        d.PageControl1->setCurrentWidget(d.TabSheet2);
        const QImage shown = d.PaintBox2->grab().toImage();
        const int left = (d.PaintBox2->width() - 209) / 2;
        const int top = (d.PaintBox2->height() - 161) / 2;
        EXPECT_EQ(d.PaintBox2->size(), d.TabSheet2->size());
        EXPECT_EQ(shown.pixel(left, top), qRgb(0, 0, 0));
        EXPECT_EQ(shown.pixel(left + 208, top + 160), qRgb(0, 0, 0));
        EXPECT_EQ(shown.pixel(left + 1 + 13 * 3, top + 1 + 10 * 2),
                  Rgb(eight.Palette.Entries[16 * 2 + 3]));
        d.btnOK->click();
    });
}

TEST(PropertiesPages, ImagesWithoutAPalettePictureShowTheNotice) {
    TLoadedIcon icon;
    TLoadedIconImage& unpalettedFour = AddImage(icon, 16, 16, 4);
    unpalettedFour.HasPalette = false;
    for (TLoadedIconImage* image : {&AddImage(icon, 16, 16, 1), &AddImage(icon, 16, 16, 24),
                                    &AddImage(icon, 16, 16, 32), &unpalettedFour}) {
        TProperties d;
        d.Fill(*image);
        EXPECT_FALSE(d.PaletteBitmap) << image->BitCount;
        EXPECT_TRUE(d.Panel3->isHidden()) << image->BitCount;
        EXPECT_FALSE(d.Label11->isHidden());
        EXPECT_EQ(d.Label11->text(), QStringLiteral("This icon has no color palette."));
    }
}

// The clipboard gets the mask as a 1-bit picture and the colour and alpha channels as 24-bit
// pictures, each of the image's size.
TEST(PropertiesPages, ChannelCopiesPutTheChannelPicturesOnTheClipboard) {
    TLoadedIcon icon;
    TLoadedIconImage& image = AddImage(icon, 20, 12, 32);
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 20; ++x) {
            SetRgba(image, x, y, static_cast<std::uint8_t>(x * 12),
                    static_cast<std::uint8_t>(y * 20), 77, static_cast<std::uint8_t>(x * 10 + y));
            SetMaskBit(image, x, y, x < 5);
        }
    }
    TProperties d;
    d.Fill(image);
    QClipboard* clipboard = QApplication::clipboard();

    d.MaskChannel.CopyButton->click();
    const QImage mask = clipboard->image();
    ASSERT_EQ(mask.size(), QSize(20, 12));
    EXPECT_EQ(mask.depth(), 1);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 20; ++x)
            ASSERT_EQ(mask.pixel(x, y), x < 5 ? qRgb(255, 255, 255) : qRgb(0, 0, 0))
                << x << "," << y;

    d.ImageChannel.CopyButton->click();
    const QImage colour = clipboard->image();
    ASSERT_EQ(colour.size(), QSize(20, 12));
    EXPECT_EQ(colour.depth(), 24);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 20; ++x) ASSERT_EQ(colour.pixel(x, y), qRgb(x * 12, y * 20, 77));

    d.AlphaChannel.CopyButton->click();
    const QImage alpha = clipboard->image();
    ASSERT_EQ(alpha.size(), QSize(20, 12));
    EXPECT_EQ(alpha.depth(), 24);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 20; ++x)
            ASSERT_EQ(alpha.pixel(x, y), qRgb(x * 10 + y, x * 10 + y, x * 10 + y));

    // The channel views show the same pictures at their top-left corner.
    RunDialog(d, image, [&](TProperties& shown) {
        shown.PageControl1->setCurrentWidget(shown.TabSheet3);
        const QImage view = shown.MaskChannel.PaintBox->grab().toImage();
        EXPECT_EQ(shown.MaskChannel.PaintBox->size(), QSize(48, 12));
        EXPECT_EQ(view.pixel(0, 0), qRgb(255, 255, 255));
        EXPECT_EQ(view.pixel(19, 11), qRgb(0, 0, 0));
        const QImage alphaView = shown.AlphaChannel.PaintBox->grab().toImage();
        EXPECT_EQ(alphaView.pixel(3, 2), qRgb(32, 32, 32));
        shown.btnOK->click();
    });
}

TEST(PropertiesPages, ChannelSaveWritesAWindowsBitmapAndAsksBeforeReplacing) {
    ScriptedPrompter prompter;
    TempDir dir;
    TLoadedIcon icon;
    TLoadedIconImage& image = AddImage(icon, 8, 4, 32);
    SetRgba(image, 0, 0, 10, 20, 30, 200);
    QApplication::clipboard()->clear();
    TProperties d;
    d.Fill(image);

    prompter.saveAnswers = {Chosen(dir.Path() / "alpha")};
    d.AlphaChannel.SaveButton->click();
    EXPECT_TRUE(QApplication::clipboard()->image().isNull());
    ASSERT_EQ(prompter.saveRequests.size(), 1u);
    EXPECT_EQ(prompter.saveRequests[0].Title, QStringLiteral("Save Alpha Bitmap"));
    EXPECT_EQ(prompter.saveRequests[0].Filters,
              QStringList{QStringLiteral("Bitmaps (*.bmp)|*.bmp")});
    const ByteString bmp = ReadFile(dir.Path() / "alpha.bmp");
    ASSERT_GE(bmp.size(), 54u + 4 * 24);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    EXPECT_EQ(U32At(bmp, 18), 8u);
    EXPECT_EQ(U32At(bmp, 22), 4u);
    EXPECT_EQ(bmp[28], 24);
    // Rows are stored bottom row first: the top-left pixel opens the last of the four rows.
    const std::size_t topRow = U32At(bmp, 10) + 3 * 24;
    EXPECT_EQ(bmp[topRow], 200);
    EXPECT_EQ(bmp[topRow + 3], 0);

    // An existing file: "No" asks again, and the new name is written; the old file stays.
    prompter.saveAnswers = {Chosen(dir.Path() / "alpha"), Chosen(dir.Path() / "mask.bmp")};
    prompter.answers = {TPromptAnswer::No};
    const ByteString before = ReadFile(dir.Path() / "alpha.bmp");
    d.MaskChannel.SaveButton->click();
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].caption, QStringLiteral("Warning"));
    EXPECT_EQ(
        prompter.shown[0].text,
        QStringLiteral("The file \"alpha.bmp\" already exists.\r\nDo you want to replace it?"));
    EXPECT_EQ(ReadFile(dir.Path() / "alpha.bmp"), before);
    EXPECT_TRUE(fs::exists(dir.Path() / "mask.bmp"));

    // A folder that does not exist: the error box, and nothing is written.
    prompter.saveAnswers = {Chosen(dir.Path() / "missing" / "image")};
    d.ImageChannel.SaveButton->click();
    ASSERT_EQ(prompter.shown.size(), 2u);
    EXPECT_EQ(prompter.shown[1].caption, ApplicationTitle());
    // The system's reason follows, and no full stop.
    EXPECT_TRUE(prompter.shown[1].text.endsWith(QStringLiteral("! (No such file or directory)")));
    EXPECT_FALSE(fs::exists(dir.Path() / "missing"));
}

TEST(PropertiesPages, MultiFormatSaveWritesEveryListedFormatWithTheIconExtension) {
    ScriptedPrompter prompter;
    TempDir dir;
    TLoadedIcon icon;
    icon.FileName = "/icons/lib.dll";
    TLoadedIconImage& shown = AddImage(icon, 32, 32, 8, "#1");
    AddImage(icon, 48, 48, 32, "#2");
    AddImage(icon, 16, 16, 4, "#1");
    AddImage(icon, 256, 256, 32, "#1");

    const std::pair<const char*, const char*> names[] = {
        {"faces", "faces.ico"}, {"faces.bmp", "faces.bmp.ico"}, {"FACES.ICO", "FACES.ICO"}};
    for (const auto& [typed, written] : names) {
        TProperties d;
        d.SaveFolder = QString::fromStdString(dir.Path().string());
        d.NameSeparator = '-';
        prompter.saveAnswers = {Chosen(dir.Path() / typed)};
        RunDialog(d, shown, [&](TProperties& dialog) {
            dialog.btnSaveMultiFormatICO->click();
            EXPECT_TRUE(dialog.isVisible());
            dialog.btnOK->click();
        });
        const auto saved = LoadIconsFromFile((dir.Path() / written).string());
        ASSERT_TRUE(saved) << written;
        ASSERT_EQ(saved->Images.size(), 3u);
        EXPECT_EQ(saved->Images[0]->PixelWidth(), 32);
        EXPECT_EQ(saved->Images[1]->PixelWidth(), 16);
        EXPECT_EQ(saved->Images[2]->PixelWidth(), 256);
        EXPECT_EQ(saved->Images[2]->BitCount, 32);
    }
    // The suggestion: source file and resource name, in the folder last saved to.
    EXPECT_EQ(prompter.saveRequests.back().FileName,
              QString::fromStdString((dir.Path() / "lib-#1.ico").string()));
    EXPECT_EQ(prompter.saveRequests.back().Title, QStringLiteral("Save Multi-Format Icon"));
    EXPECT_EQ(prompter.saveRequests.back().Filters,
              QStringList{QStringLiteral("Icons (*.ico)|*.ico")});

    // Cancel writes nothing; an unwritable target shows the error box and keeps the dialog.
    const auto before = std::distance(fs::directory_iterator(dir.Path()), {});
    TProperties d;
    prompter.saveAnswers = {TSaveFileAnswer{}, Chosen(dir.Path() / "missing" / "x")};
    RunDialog(d, shown, [&](TProperties& dialog) {
        dialog.btnSaveMultiFormatICO->click();
        EXPECT_TRUE(prompter.shown.empty());
        dialog.btnSaveMultiFormatICO->click();
        EXPECT_TRUE(dialog.isVisible());
        dialog.btnOK->click();
    });
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), {}), before);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].caption, ApplicationTitle());
    EXPECT_TRUE(prompter.shown[0].text.endsWith(QStringLiteral("! (No such file or directory)")));
}

TEST(PropertiesPages, SaveAsAndCopyCloseWithTheirRequestOthersWithNone) {
    TLoadedIcon icon;
    TLoadedIconImage& image = AddImage(icon, 16, 16, 4);
    const std::function<void(TProperties&)> closings[] = {
        [](TProperties& d) { d.btnSaveAs->click(); },
        [](TProperties& d) { d.btnCopy->click(); },
        [](TProperties& d) { d.btnOK->click(); },
        [](TProperties& d) { QTest::keyClick(&d, Qt::Key_Escape); },
        [](TProperties& d) { QTest::keyClick(&d, Qt::Key_Return); },
        [](TProperties& d) { d.close(); },
    };
    const std::pair<bool, bool> expected[] = {{true, false},  {false, true},  {false, false},
                                              {false, false}, {false, false}, {false, false}};
    for (std::size_t i = 0; i < std::size(closings); ++i) {
        TProperties d;
        RunDialog(d, image, closings[i]);
        EXPECT_EQ(d.SaveAsRequested, expected[i].first) << i;
        EXPECT_EQ(d.CopyRequested, expected[i].second) << i;
    }
}

// An image whose rows could not be read (a shell icon, a damaged file) still opens on every
// page; its channel copies are blank pictures of its size.
TEST(PropertiesPages, ImageWithoutRowsOpensAndCopiesBlankPictures) {
    TLoadedIcon icon;
    TLoadedIconImage& image = AddImage(icon, 256, 256, 32);
    image.SetRows({});
    TProperties d;
    RunDialog(d, image, [](TProperties& shown) {
        for (int page = 0; page < 4; ++page) {
            shown.PageControl1->setCurrentIndex(page);
            EXPECT_FALSE(shown.grab().isNull());
        }
        shown.MaskChannel.CopyButton->click();
        const QImage mask = QApplication::clipboard()->image();
        EXPECT_EQ(mask.size(), QSize(256, 256));
        EXPECT_EQ(mask.pixel(0, 0), qRgb(0, 0, 0));
        shown.AlphaChannel.CopyButton->click();
        EXPECT_EQ(QApplication::clipboard()->image().size(), QSize(256, 256));
        shown.btnOK->click();
    });
    EXPECT_EQ(d.Label6->text(), QStringLiteral("256 x 256"));
    EXPECT_FALSE(d.PaletteBitmap);
}

// The Image Formats page opens on the image that was opened, enlarged by the whole multiple that
// fits the preview, sharp, with a pixel grid from 6x on; the slider sets the multiple. Save As
// and Copy act on the chosen format and leave the dialog open.
TEST(PropertiesPages, FormatsPageShowsTheOpenedImageEnlargedAndKeepsTheDialogOpen) {
    TLoadedIcon icon;
    TLoadedIconImage& blue = AddImage(icon, 32, 32, 24);
    TLoadedIconImage& red = AddImage(icon, 16, 16, 24);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) SetStoredPixel(red, x, y, (x + y) % 2 ? 0xFF0000 : 0x00FF00);
    TProperties d;
    std::vector<TLoadedIconImage*> copied;
    d.OnCopy = [&](TLoadedIconImage& image) { copied.push_back(&image); };
    RunDialog(d, red, [&](TProperties& shown) {
        shown.PageControl1->setCurrentWidget(shown.TabSheet4);
        EXPECT_EQ(shown.lbxFormats->currentRow(), 1);
        EXPECT_EQ(shown.sldZoom->minimum(), 1);
        EXPECT_EQ(shown.sldZoom->maximum(), 16);
        ASSERT_EQ(shown.PaintBox6->Zoom(), 8);
        QImage preview = shown.PaintBox6->grab().toImage();
        QRect picture = shown.PaintBox6->PictureRect();
        EXPECT_EQ(picture.size(), QSize(128, 128));
        // Blocks of 8 alternate; the grid line between them is neither colour.
        const QPoint corner = picture.topLeft();
        EXPECT_EQ(preview.pixel(corner + QPoint(3, 3)), qRgb(0, 255, 0));
        EXPECT_EQ(preview.pixel(corner + QPoint(11, 3)), qRgb(255, 0, 0));
        EXPECT_EQ(preview.pixel(corner + QPoint(13, 13)), qRgb(0, 255, 0));
        const QRgb line = preview.pixel(corner + QPoint(8, 3));
        EXPECT_NE(line, qRgb(255, 0, 0));
        EXPECT_NE(line, qRgb(0, 255, 0));
        shown.sldZoom->setValue(3);
        preview = shown.PaintBox6->grab().toImage();
        picture = shown.PaintBox6->PictureRect();
        EXPECT_EQ(picture.size(), QSize(48, 48));
        EXPECT_EQ(preview.pixel(picture.topLeft() + QPoint(3, 0)), qRgb(255, 0, 0));
        EXPECT_EQ(preview.pixel(picture.topLeft() + QPoint(2, 0)), qRgb(0, 255, 0));

        shown.btnCopy->click();
        shown.lbxFormats->setCurrentRow(0);
        EXPECT_EQ(shown.PaintBox6->Image(), &blue);
        shown.btnCopy->click();
        EXPECT_TRUE(shown.isVisible());
        shown.lbxFormats->clearSelection();
        EXPECT_EQ(shown.PaintBox6->Image(), nullptr);
        // The General page's picture is the shown image at its own size.
        const QImage general = shown.PaintBox1->grab().toImage();
        EXPECT_EQ(shown.PaintBox1->size(), QSize(16, 16));
        EXPECT_EQ(general.pixel(15, 14), qRgb(255, 0, 0));
        EXPECT_EQ(shown.PaintBox1->mapTo(shown.Panel1, QPoint(0, 0)), QPoint(7, 7));
        // The page keys turn the pages while a button has the focus.
        shown.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&shown));
        shown.btnCopy->setFocus();
        const int pages = shown.PageControl1->count();
        const int first = shown.PageControl1->currentIndex();
        QTest::keyClick(shown.btnCopy, Qt::Key_Tab, Qt::ControlModifier);
        EXPECT_EQ(shown.PageControl1->currentIndex(), (first + 1) % pages);
        QTest::keyClick(shown.btnCopy, Qt::Key_PageDown, Qt::ControlModifier);
        EXPECT_EQ(shown.PageControl1->currentIndex(), (first + 2) % pages);
        QTest::keyClick(shown.btnCopy, Qt::Key_PageUp, Qt::ControlModifier);
        EXPECT_EQ(shown.PageControl1->currentIndex(), (first + 1) % pages);
        shown.btnOK->click();
    });
    EXPECT_EQ(copied, (std::vector<TLoadedIconImage*>{&red, &blue}));
    EXPECT_FALSE(d.CopyRequested);
}

// A cursor shows its hot spot on the General page and as a crosshair in the preview; an
// animated cursor plays frame by frame, with its sequence and rates, the frames' images of the
// opened image's size and depth.
TEST(PropertiesPages, CursorsShowTheirHotSpotAndAnimatedCursorsPlay) {
    const ByteString rate = RiffChunk("rate", ByteBuilder().U32(6).U32(12).U32(30).Bytes());
    const ByteString seq = RiffChunk("seq ", ByteBuilder().U32(2).U32(0).U32(1).Bytes());
    auto icon = ReadAniData(BuildAni({AniHeaderChunk(1, 3), rate, seq,
                                      FrameList({CursorFrame(0x11, 3, 9), CursorFrame(0x22, 4, 10),
                                                 CursorFrame(0x33, 5, 11)})}),
                            "/cursors/busy.ani");
    ASSERT_NE(icon, nullptr);
    TLoadedIconImage& opened = icon->GetImage(3);  // frame 1, 32 x 32
    TProperties d;
    RunDialog(d, opened, [&](TProperties& shown) {
        EXPECT_TRUE(shown.Label12->isVisible());
        EXPECT_EQ(shown.Label12->text(), QStringLiteral("Hot spot:"));
        EXPECT_EQ(shown.Label13->text(), QStringLiteral("4, 10"));
        EXPECT_EQ(shown.Label15->text(), QStringLiteral("3 frames, 3 steps, 0.80 s"));
        shown.PageControl1->setCurrentWidget(shown.TabSheet4);
        // The crosshair runs through the middle of the hot spot's pixel, in red.
        const int zoom = shown.PaintBox6->Zoom();
        const QPoint spot = shown.PaintBox6->PictureRect().topLeft() +
                            QPoint(4 * zoom + zoom / 2, 10 * zoom + zoom / 2);
        const QImage preview = shown.PaintBox6->grab().toImage();
        EXPECT_EQ(preview.pixel(spot.x(), 1 + shown.PaintBox6->PictureRect().top()),
                  qRgb(220, 0, 0));
        EXPECT_EQ(preview.pixel(shown.PaintBox6->PictureRect().left() + 1, spot.y()),
                  qRgb(220, 0, 0));

        ASSERT_TRUE(shown.btnPlay->isVisible());
        // The Play button takes no room from the enlarged picture.
        EXPECT_TRUE(shown.PreviewView->viewport()->rect().contains(
            shown.PaintBox6->PictureRect().translated(shown.PaintBox6->pos())));
        shown.btnPlay->click();
        EXPECT_EQ(shown.btnPlay->text(), QStringLiteral("Pause"));
        std::vector<const TLoadedIconImage*> played{shown.PaintBox6->Image()};
        std::vector<int> times{shown.Player->StepTime()};
        for (int i = 0; i < 3; ++i) {
            shown.Player->Next();
            played.push_back(shown.PaintBox6->Image());
            times.push_back(shown.Player->StepTime());
        }
        EXPECT_EQ(played,
                  (std::vector<const TLoadedIconImage*>{&icon->GetImage(5), &icon->GetImage(1),
                                                        &icon->GetImage(3), &icon->GetImage(5)}));
        EXPECT_EQ(times, (std::vector<int>{100, 200, 500, 100}));
        shown.btnPlay->click();
        EXPECT_FALSE(shown.Player->Playing());
        shown.btnOK->click();
    });
}
