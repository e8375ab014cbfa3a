#include <QClipboard>
#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>

#include "CommandFixture.h"
#include "ui/export/frmBatchIconExport.h"
#include "ui/properties/frmProperties.h"

namespace {

QImage ClipboardImage() {
    return QApplication::clipboard()->image();
}

void ClearClipboard() {
    QApplication::clipboard()->clear();
}

}  // namespace

TEST_F(CommandFixture, CopyPutsTheCaretImageOverTheBackgroundColourOnTheClipboard) {
    LoadIcon("src/pic.ico", BuildIco({PictureEntry(32, 24), PictureEntry(48, 32)}));
    ASSERT_EQ(main->lbxViewer->Count(), 2);

    // Over white at first start; two cells selected still copy the caret cell.
    Select({0, 1});
    SetCaret(1);
    main->btnCopy->click();
    ExpectDrawnOver(ClipboardImage(), main->lbxViewer->Item(1), Qt::white);

    // The colour chosen becomes the copy background; a cancelled choice keeps it.
    const QColor chosen(200, 40, 90);
    prompter.colors.push_back(chosen);
    main->btnCopyBackgroundColor->click();
    EXPECT_EQ(main->CopyBackgroundColor(), chosen);
    main->btnCopyBackgroundColor->click();
    EXPECT_EQ(main->CopyBackgroundColor(), chosen);

    SetCaret(0);
    main->btnCopy->click();
    ExpectDrawnOver(ClipboardImage(), main->lbxViewer->Item(0), chosen);
    SetCaret(1);
    main->btnCopy->click();
    ExpectDrawnOver(ClipboardImage(), main->lbxViewer->Item(1), chosen);
    EXPECT_TRUE(prompter.shown.empty());

    // An empty grid copies nothing and says why.
    ClearClipboard();
    main->LoadFiles(false, std::vector<std::string>{});
    RunToEnd();
    main->btnCopy->click();
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text,
              QStringLiteral("Select a file that contains icons then try again."));
    EXPECT_TRUE(ClipboardImage().isNull());
}

// Copy and Save As in the properties act at once on the format chosen there, the opened image
// at first, and leave the dialog open.
TEST_F(CommandFixture, PropertiesCopyAndSaveTheChosenFormatAndStayOpen) {
    LoadIcon("src/pic.ico", BuildIco({PictureEntry(32, 24), PictureEntry(16, 24)}));
    SetCaret(1);

    // OK: nothing follows.
    ClearClipboard();
    WhenShown<TProperties>([&](TProperties& dialog) {
        EXPECT_EQ(dialog.ShownImage, &main->lbxViewer->Item(1));
        dialog.btnOK->click();
    });
    main->btnInfo->click();
    EXPECT_TRUE(ClipboardImage().isNull());
    EXPECT_TRUE(prompter.saveRequests.empty());

    // Copy, reached by a double click in the grid: the opened image goes to the clipboard.
    WhenShown<TProperties>([](TProperties& dialog) {
        dialog.btnCopy->click();
        EXPECT_TRUE(dialog.isVisible());
        dialog.btnOK->click();
    });
    emit main->lbxViewer->DoubleClick();
    ExpectDrawnOver(ClipboardImage(), main->lbxViewer->Item(1), Qt::white);

    // Save As: the window's own save, of the opened image and then of the other format chosen.
    AnswerSave(InDir("props"), 2);
    AnswerSave(InDir("other"), 2);
    WhenShown<TProperties>([](TProperties& dialog) {
        dialog.btnSaveAs->click();
        dialog.lbxFormats->setCurrentRow(0);
        dialog.btnSaveAs->click();
        dialog.btnOK->click();
    });
    main->btnInfo->click();
    ASSERT_EQ(prompter.saveRequests.size(), 2u);
    EXPECT_TRUE(QFileInfo::exists(InDir("props.ico")));
    EXPECT_TRUE(QFileInfo::exists(InDir("other.ico")));
    EXPECT_TRUE(prompter.shown.empty());
}

// The folder the loaded file lies in vanishes while the properties dialog shows one of its
// images: the tree moves to the parent folder, and its load run waits for the dialog.
TEST_F(CommandFixture, ALoadRequestWaitsWhileADialogShowsTheGridsImages) {
    Write("gone/pic.ico", BuildIco({PictureEntry(32, 24)}));
    Browse("gone");
    Choose(QStringLiteral("pic.ico"));
    WaitFor([&] { return main->lbxViewer->Count() == 1 && !main->LoadRun->Loading; });

    WhenShown<TProperties>([&](TProperties& dialog) {
        QDir(InDir("gone")).removeRecursively();
        WaitFor([&] { return main->LoadPutOff; });
        EXPECT_EQ(main->lbxViewer->Count(), 1);
        dialog.btnCopy->click();
        dialog.btnOK->click();
    });
    main->btnInfo->click();
    EXPECT_EQ(ClipboardImage().size(), QSize(32, 32));
    EXPECT_FALSE(main->LoadPutOff);
    EXPECT_EQ(main->ImageHolds, 0);

    // The run put off starts once the dialog has gone and finds no pic.ico above.
    WaitFor([&] { return main->LoadedIcons.empty() && !main->LoadRun->Loading; });
    EXPECT_EQ(main->CurrentFolder, QString::fromStdString(dir.Path().string()) + QDir::separator());
    EXPECT_EQ(Panel(1), QStringLiteral(" No icons found. "));
}
