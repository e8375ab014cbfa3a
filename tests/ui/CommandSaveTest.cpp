#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

#include "CommandFixture.h"
#include "GifDecoder.h"
#include "PngDecoder.h"
#include "icons/LoadIcons.h"
#include "ui/export/DirectoryEdit.h"
#include "ui/export/frmBatchIconExport.h"
#include "ui/widgets/ScreenCursor.h"

namespace {

const QColor kBackground(10, 200, 30);

bool Exists(const QString& path) {
    return QFileInfo::exists(path);
}

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::unique_ptr<TLoadedIcon> Reload(const QString& path) {
    return LoadIconsFromFile(path.toStdString());
}

QString ReplaceQuestion(const QString& name) {
    return QStringLiteral("The file \"%1\" already exists.\r\nDo you want to replace it?")
        .arg(name);
}

}  // namespace

TEST_F(CommandFixture, SaveWritesTheFormatOfTheChosenEntryWithItsExtension) {
    LoadIcon("src/pic.ico", BuildIco({PictureEntry(32, 24)}));
    main->SetCopyBackgroundColor(kBackground);
    TLoadedIconImage& image = main->lbxViewer->Item(0);

    // The grid's one image is saved although nothing was clicked; a name without extension
    // gets the entry's, and the bitmap is drawn over the background colour. At first the
    // dialog suggests the source file and size in the home folder, as PNG.
    AnswerSave(InDir("pic"), 1);
    main->btnSave->click();
    ASSERT_EQ(prompter.saveRequests.size(), 1u);
    EXPECT_EQ(prompter.saveRequests[0].FileName, QDir::home().filePath(QStringLiteral("pic_32x32")));
    EXPECT_EQ(prompter.saveRequests[0].FilterIndex, 4);
    EXPECT_EQ(prompter.saveRequests[0].Title, QStringLiteral("Save Icon As Image"));
    EXPECT_EQ(prompter.saveRequests[0].Filters,
              QStringList({"Bitmaps (*.bmp)|*.bmp", "Icons (*.ico)|*.ico",
                           "CompuServe GIF Image (*.gif)|*.gif",
                           "Portable Network Graphic (*.png)|*.png",
                           "Apple Icon Image (*.icns)|*.icns"}));
    const QImage bitmap(InDir("pic.bmp"), "BMP");
    ASSERT_FALSE(bitmap.isNull());
    ExpectDrawnOver(bitmap, image, kBackground);

    // An upper-case extension of the entry stays as it is; the dialog reopens in the folder
    // last saved to, with the type last chosen.
    AnswerSave(InDir("pic.ICO"), 2);
    main->btnSave->click();
    ASSERT_EQ(prompter.saveRequests.size(), 2u);
    EXPECT_EQ(prompter.saveRequests[1].FileName, InDir("pic_32x32"));
    EXPECT_EQ(prompter.saveRequests[1].FilterIndex, 1);
    EXPECT_FALSE(Exists(InDir("pic.ICO.ico")));
    const std::unique_ptr<TLoadedIcon> icon = Reload(InDir("pic.ICO"));
    ASSERT_TRUE(icon);
    ASSERT_EQ(icon->Images.size(), 1u);
    EXPECT_EQ(icon->Images[0]->BitCount, 24);
    EXPECT_EQ(icon->Images[0]->ImageBits(), image.ImageBits());
    EXPECT_EQ(icon->Images[0]->MaskBits(), image.MaskBits());

    // A typed extension of one of the types chooses that type, whatever the entry.
    AnswerSave(InDir("icon.png"), 1);
    main->btnSave->click();
    EXPECT_FALSE(Exists(InDir("icon.png.bmp")));
    EXPECT_EQ(ReadPngFile(InDir("icon.png").toStdString()).width, 32u);

    // Another extension is kept and the entry's appended: the entry decides the format.
    AnswerSave(InDir("pic.v2"), 3);
    main->btnSave->click();
    ASSERT_EQ(prompter.saveRequests.size(), 4u);
    EXPECT_EQ(prompter.saveRequests[3].FilterIndex, 4);  // the type of icon.png
    const DecodedGif gif = ReadGifFile(InDir("pic.v2.gif").toStdString());
    ASSERT_EQ(gif.frames.size(), 1u);
    EXPECT_EQ(gif.screenWidth, 32);
    ASSERT_TRUE(gif.frames[0].transparent);
    EXPECT_EQ(gif.frames[0].Index(0, 0), gif.frames[0].transparentIndex);
    EXPECT_NE(gif.frames[0].Index(16, 16), gif.frames[0].transparentIndex);

    AnswerSave(InDir("pic"), 4);
    main->btnSave->click();
    const DecodedPngFile png = ReadPngFile(InDir("pic.png").toStdString());
    EXPECT_EQ(png.width, 32u);
    EXPECT_EQ(png.Pixel(0, 0)[3], 0);
    const QRgb centre = ExpectedPixel(image, 16, 16, kBackground);
    EXPECT_EQ(png.Pixel(16, 16),
              std::vector<std::uint8_t>({static_cast<std::uint8_t>(qRed(centre)),
                                         static_cast<std::uint8_t>(qGreen(centre)),
                                         static_cast<std::uint8_t>(qBlue(centre)), 255}));
    EXPECT_EQ(png.backgroundRed, 10);
    EXPECT_EQ(png.backgroundGreen, 200);
    EXPECT_EQ(png.backgroundBlue, 30);

    // The last entry writes an Apple icon image holding the image as PNG.
    AnswerSave(InDir("pic"), 5);
    main->btnSave->click();
    const QByteArray icns = Contents(InDir("pic.icns"));
    EXPECT_TRUE(icns.startsWith("icns"));
    EXPECT_TRUE(icns.contains("icp5") && icns.contains("ic11") && icns.contains("\x89PNG"));
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_FALSE(HourglassShown());
}

TEST_F(CommandFixture, SaveTakesTheCaretCellAndWithNoCellTellsWhy) {
    LoadIcon("src/two.ico", IconOfSizes({{16, 4}, {48, 8}}));
    main->btnSave->click();
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text,
              QStringLiteral("Select one of the icons below and then try again."));
    EXPECT_TRUE(prompter.saveRequests.empty());

    Select({0});
    SetCaret(1);
    AnswerSave(InDir("caret"), 2);
    main->btnSave->click();
    const std::unique_ptr<TLoadedIcon> icon = Reload(InDir("caret.ico"));
    ASSERT_TRUE(icon);
    ASSERT_EQ(icon->Images.size(), 1u);
    EXPECT_EQ(icon->Images[0]->Width, 48);
    EXPECT_EQ(icon->Images[0]->BitCount, 8);
}

TEST_F(CommandFixture, AnExistingFileIsReplacedOnlyOnYesAndNoAsksForAnotherName) {
    LoadIcon("src/pic.ico", BuildIco({PictureEntry(32, 24)}));
    Write("out/old.bmp", ByteView(reinterpret_cast<const std::uint8_t*>("keep"), 4));

    AnswerSave(InDir("out/old"), 1);
    AnswerSave(InDir("out/new"), 1);
    prompter.answers.push_back(TPromptAnswer::No);
    main->btnSave->click();
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].caption, QStringLiteral("Warning"));
    EXPECT_EQ(prompter.shown[0].text, ReplaceQuestion(QStringLiteral("old.bmp")));
    EXPECT_EQ(prompter.shown[0].buttons, TPromptButtons::YesNo);
    ASSERT_EQ(prompter.saveRequests.size(), 2u);
    EXPECT_EQ(prompter.saveRequests[1].FileName, InDir("out/old"));
    EXPECT_EQ(Contents(InDir("out/old.bmp")), QByteArray("keep"));
    EXPECT_TRUE(Contents(InDir("out/new.bmp")).startsWith("BM"));

    AnswerSave(InDir("out/old.bmp"), 1);
    prompter.answers.push_back(TPromptAnswer::Yes);
    main->btnSave->click();
    EXPECT_EQ(prompter.shown.size(), 2u);
    EXPECT_EQ(prompter.saveRequests.size(), 3u);
    EXPECT_TRUE(Contents(InDir("out/old.bmp")).startsWith("BM"));

    // Cancelling writes nothing and asks nothing.
    main->btnSave->click();
    EXPECT_EQ(prompter.saveRequests.size(), 4u);
    EXPECT_EQ(prompter.shown.size(), 2u);
    EXPECT_EQ(QDir(InDir("out")).entryList(QDir::Files).size(), 2);
}

TEST_F(CommandFixture, AWriterFailureReachesTheErrorBoxAndKeepsWhatWasWritten) {
    LoadIcon("src/pic.ico", BuildIco({PictureEntry(32, 24)}));
    QDir().mkpath(InDir("out"));
    AnswerSave(InDir("out/first"), 4);
    main->btnSave->click();
    ASSERT_TRUE(Exists(InDir("out/first.png")));

    AnswerSave(InDir("missing/x"), 4);
    main->btnSave->click();
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].caption, QStringLiteral("Marrowby 2 Pro"));
    EXPECT_EQ(prompter.shown[0].text,
              QStringLiteral("Error Opening File %1! (No such file or directory)")
                  .arg(InDir("missing/x.png")));
    EXPECT_FALSE(HourglassShown());
    EXPECT_TRUE(Exists(InDir("out/first.png")));
    EXPECT_FALSE(Exists(InDir("missing")));

    // A folder of the chosen name is no file to replace: no question, the writer refuses it.
    QDir().mkpath(InDir("out/taken.bmp"));
    AnswerSave(InDir("out/taken"), 1);
    main->btnSave->click();
    ASSERT_EQ(prompter.shown.size(), 2u);
    EXPECT_EQ(
        prompter.shown[1].text,
        QStringLiteral("Error Opening File %1! (Is a directory)").arg(InDir("out/taken.bmp")));
    EXPECT_TRUE(QFileInfo(InDir("out/taken.bmp")).isDir());
    EXPECT_EQ(QDir(InDir("out")).entryList(QDir::Files), QStringList({"first.png"}));
}

// Save with two cells selected, and File > Export... with one or none, open the batch export:
// of the selection, or of every cell. At first start it offers PNG named by file, resource, size
// and depth, and its sample shows the first selected image's own name.
TEST_F(CommandFixture, SaveWithTwoCellsAndExportWithOneOpenTheBatchExport) {
    LoadIcon("src/set.ico",
             BuildIco({PictureEntry(16, 24), PictureEntry(32, 24), PictureEntry(48, 24)}));
    main->SetCopyBackgroundColor(kBackground);
    const QString out = InDir("export");
    QDir().mkpath(out);
    Select({0, 2});
    SetCaret(2);

    // Cancelled, nothing is stored and nothing written.
    WhenShown<TBatchIconExport>([&](TBatchIconExport& dialog) {
        EXPECT_EQ(dialog.txtDirectory->text(), main->ExportPath->text());
        EXPECT_EQ(dialog.lbxFormat->currentText(), QStringLiteral("Portable Network Graphic (*.png)"));
        EXPECT_EQ(dialog.Memo1->toPlainText(),
                  QStringLiteral("set__16x16x24.png\nset__48x48x24.png\n"));
        dialog.lbxFormat->setCurrentIndex(2);
        dialog.btnCancel->click();
    });
    main->btnSave->click();
    EXPECT_EQ(main->ExportFormat->text(), QStringLiteral("3"));
    EXPECT_EQ(main->ExportFilenameFormat->text(), QStringLiteral("5"));
    EXPECT_TRUE(prompter.saveRequests.empty());

    WhenShown<TBatchIconExport>([&](TBatchIconExport& dialog) {
        dialog.txtDirectory->setText(out);
        dialog.txtPrefix->setText(QStringLiteral("cell"));
        dialog.btnExport->click();
    });
    main->btnSave->click();
    EXPECT_EQ(main->ExportPath->text(), out);
    EXPECT_EQ(main->ExportPrefix->text(), QStringLiteral("cell|"));
    const QStringList files = QDir(out).entryList(QDir::Files, QDir::Name);
    ASSERT_EQ(files.size(), 2);
    // The selected cells, drawn over the copy background colour.
    for (const QString& name : files) {
        const QImage exported(out + QLatin1Char('/') + name, "PNG");
        ASSERT_FALSE(exported.isNull()) << name.toStdString();
        EXPECT_TRUE(exported.width() == 16 || exported.width() == 48) << name.toStdString();
    }
    EXPECT_TRUE(prompter.saveRequests.empty());

    Select({1});
    WhenShown<TBatchIconExport>([&](TBatchIconExport& dialog) {
        EXPECT_EQ(dialog.Memo1->toPlainText().count(QLatin1Char('\n')), 3);
        dialog.btnExport->click();
    });
    main->findChild<QAction*>(QStringLiteral("Export1"))->trigger();
    EXPECT_EQ(QDir(out).entryList(QDir::Files).size(), 5);
}
