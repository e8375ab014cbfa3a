#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <filesystem>

#include "MainFixture.h"
#include "ui/dialogs/frmScanDirs.h"

namespace {

const QString kNoIcons = QStringLiteral(" No icons found. ");

std::vector<std::string> LoadedFiles(const TMain& main) {
    std::vector<std::string> files;
    for (const auto& icon : main.LoadedIcons) files.push_back(icon->FileName);
    return files;
}

// Presses Cancel in the subdirectory scan dialog after its scan has run but before the dialog
// closes itself: the call queued here is served after the scan's own start, and the one it
// queues in turn comes before the dialog's close.
void CancelTheScanAtItsEnd() {
    QMetaObject::invokeMethod(
        qApp,
        [] {
            QMetaObject::invokeMethod(
                qApp,
                [] {
                    auto* dialog = qobject_cast<TScanDirs*>(QApplication::activeModalWidget());
                    ASSERT_NE(dialog, nullptr);
                    dialog->Button1->click();
                },
                Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
}

}  // namespace

class ScanFixture : public MainFixture {
protected:
    // tree/ holds two icon files and a text file, each subfolder one icon file.
    void SetUp() override {
        MainFixture::SetUp();
        Write("tree/a.ico", IconOfSizes({{16, 4}}));
        Write("tree/e.ico", IconOfSizes({{16, 8}}));
        Write("tree/notes.txt", ByteView());
        Write("tree/s1/b.ico", IconOfSizes({{32, 4}}));
        Write("tree/s1/deep/c.ICO", IconOfSizes({{48, 8}}));
        Write("tree/s2/d.ico", IconOfSizes({{32, 24}}));
        Browse("tree");
    }

    // The icon files of the tree in the order the folder-tree scan must load them: folder by
    // folder, each folder's files and then its subfolders in name order.
    std::vector<std::string> TreeOrder() const {
        std::vector<std::string> files;
        for (const char* file : {"a.ico", "e.ico", "s1/b.ico", "s1/deep/c.ICO", "s2/d.ico"})
            files.push_back((dir.Path() / "tree" / file).string());
        return files;
    }

    int Row(const QString& name) const {
        for (int row = 0; row < main->lbxFiles->Count(); ++row) {
            if (QFileInfo(main->lbxFiles->ItemPath(row)).fileName() == name) return row;
        }
        return -1;
    }
};

TEST_F(ScanFixture, AFolderTreeScanLoadsTheFolderThenItsSubfoldersInScanOrder) {
    Choose(QStringLiteral("a.ico"));
    WaitFor([&] { return main->LoadedIcons.size() == 1 && !main->LoadRun->Loading; });
    main->btnScanDirectories->click();
    RunToEnd();
    const std::vector<std::string> expected = TreeOrder();
    ASSERT_EQ(expected.size(), 5u);
    EXPECT_EQ(LoadedFiles(*main), expected);
    EXPECT_EQ(Panel(0), QStringLiteral(" 5 files. "));
    EXPECT_EQ(Panel(1), QStringLiteral(" 5 icons found. "));
    EXPECT_FALSE(main->lbxFiles->HasSelection());
    EXPECT_TRUE(main->ScanFolderTree);
    ASSERT_TRUE(main->ScanFiles.has_value());
    EXPECT_TRUE(main->ScanFiles->Files.empty());

    // The file that was current before the scan is not read again; another one is.
    main->lbxFiles->SelectItem(Row(QStringLiteral("a.ico")));
    Settle();
    EXPECT_EQ(main->LoadedIcons.size(), 5u);
    main->lbxFiles->SelectItem(Row(QStringLiteral("e.ico")));
    WaitFor([&] { return main->LoadedIcons.size() == 1 && !main->LoadRun->Loading; });
    EXPECT_EQ(Panel(0), QStringLiteral(" e.ico "));

    // Folders the scan could not list are counted beside the files, once.
    main->ScanFiles = TFoundFiles{{expected.front()}, {{"/gone", "Permission denied"}}};
    main->LoadFiles(true);
    RunToEnd();
    EXPECT_EQ(Panel(0), QStringLiteral(" %1 1 folder could not be read. ")
                            .arg(QString::fromStdString(expected.front())));
    main->LoadFiles(true);
    RunToEnd();
    EXPECT_EQ(PanelWidth(0), 0);

    // A folder scan lists the folder alone and ends the folder-tree mode.
    main->btnScanNow->click();
    RunToEnd();
    EXPECT_FALSE(main->ScanFolderTree);
    EXPECT_EQ(Panel(0), QStringLiteral(" 2 files. "));
}

TEST_F(ScanFixture, ACancelledFolderTreeScanLoadsNothingAndKeepsTheGrid) {
    main->btnScanNow->click();
    RunToEnd();
    ASSERT_EQ(main->LoadedIcons.size(), 2u);
    const TLoadedIcon* before = main->LoadedIcons.front().get();
    main->ScanFiles = TFoundFiles{{"left over"}, {}};
    CancelTheScanAtItsEnd();
    main->btnScanDirectories->click();
    Settle();
    EXPECT_FALSE(main->ScanFiles.has_value());
    EXPECT_FALSE(main->ScanFolderTree);
    ASSERT_EQ(main->LoadedIcons.size(), 2u);
    EXPECT_EQ(main->LoadedIcons.front().get(), before);
    EXPECT_EQ(Panel(0), QStringLiteral(" 2 files. "));
}

// A file chosen while the folder-tree scan reads its files stops the scan; the restart
// is a scan while always-scan is down (of the folder list the scan used up: nothing), and a
// load of the chosen file while it is up.
TEST_F(ScanFixture, AFolderTreeScanStoppedByAFileChoiceRestartsByTheAlwaysScanMode) {
    for (bool alwaysScan : {true, false}) {
        SCOPED_TRACE(alwaysScan ? "always-scan down" : "always-scan up");
        main->CurrentFileName.clear();
        if (alwaysScan != main->btnScanAllFiles->isChecked()) main->btnScanAllFiles->click();
        RunToEnd();
        const int row = Row(QStringLiteral("e.ico"));
        ASSERT_GE(row, 0);
        main->btnScanDirectories->click();
        ASSERT_TRUE(main->LoadRun->Loading);
        ASSERT_TRUE(main->ScanFolderTree);
        main->lbxFiles->SelectItem(row);
        EXPECT_TRUE(main->LoadRun->AbortLoad);
        EXPECT_EQ(main->lbxViewer->Count(), 0);
        WaitFor([&] { return !main->LoadRun->Loading && main->StatusBar->Text(1) != QString(); });
        Settle();
        EXPECT_EQ(main->CurrentFileName, QStringLiteral("e.ico"));
        if (alwaysScan) {
            EXPECT_TRUE(main->LoadedIcons.empty());
            EXPECT_EQ(PanelWidth(0), 0);
            EXPECT_EQ(Panel(1), kNoIcons);
        } else {
            EXPECT_EQ(LoadedFiles(*main),
                      std::vector<std::string>{(dir.Path() / "tree/e.ico").string()});
            EXPECT_EQ(Panel(0), QStringLiteral(" e.ico "));
        }
    }
}

// With no folder shown there is no tree to list: no dialog, and the scan finds nothing.
TEST_F(ScanFixture, AFolderTreeScanWithoutACurrentFolderListsNothing) {
    main->btnScanNow->click();
    RunToEnd();
    main->CurrentFolder.clear();
    bool dialogShown = false;
    QTimer::singleShot(0, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            dialogShown = true;
            qobject_cast<TScanDirs*>(modal)->Button1->click();
        }
    });
    main->btnScanDirectories->click();
    RunToEnd();
    EXPECT_FALSE(dialogShown);
    EXPECT_TRUE(main->LoadedIcons.empty());
    EXPECT_EQ(PanelWidth(0), 0);
    EXPECT_EQ(Panel(1), kNoIcons);
}
