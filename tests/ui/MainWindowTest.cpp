#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QProgressBar>
#include <QSplitter>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

#include "MainFixture.h"
#include "icons/PathList.h"
#include "ui/widgets/AnchorPanel.h"
#include "ui/widgets/ScreenCursor.h"

namespace {

const QString kNoIcons = QStringLiteral(" No icons found. ");

// What a load run showed while it read its files.
struct RunWatch {
    bool progressShown = false;
    bool gridShown = false;
    bool hourglass = false;
};

// Records, at every step of the progress bar, whether the progress view stood in for the grid.
void Watch(TMain& main, RunWatch& watch) {
    QObject::connect(main.ProgressBar, &QProgressBar::valueChanged, &main, [&main, &watch] {
        if (!main.LoadRun->Loading) return;
        watch.hourglass |= HourglassShown();
        if (!main.pnlProgress->isVisible()) return;
        watch.progressShown = true;
        watch.gridShown |= main.pnlViewer->isVisible();
    });
}

void Drop(TMain& main, const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&main, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&main, &drop);
}

QList<QUrl> Urls(const std::vector<std::string>& paths) {
    QList<QUrl> urls;
    for (const std::string& path : paths) urls << QUrl::fromLocalFile(QString::fromStdString(path));
    return urls;
}

}  // namespace

TEST_F(MainFixture, StartUpRunFindsNothingAndSetsTheWindowUp) {
    EXPECT_TRUE(main->Ready);
    EXPECT_EQ(main->windowTitle(), QStringLiteral("Marrowby 2 Pro"));
    EXPECT_EQ(main->lbxFilters->count(), 14);
    EXPECT_EQ(main->lbxFilters->currentIndex(), 1);
    EXPECT_EQ(main->CurrentMask, QString::fromLatin1(kIconFileMask.data(), kIconFileMask.size()));
    EXPECT_EQ(main->lbxFiles->FileMask(), main->CurrentMask);
    EXPECT_TRUE(main->CurrentFolder.endsWith(QDir::separator()));
    EXPECT_EQ(main->lblCurrentPath->text(), main->CurrentFolder);
    EXPECT_TRUE(main->CurrentFileName.isEmpty());
    EXPECT_EQ(main->lbxFolders->ReadDelay(), 100);

    // No file name yet: nothing is read, panel 0 stays empty at width 1.
    EXPECT_EQ(Panel(0), QString());
    EXPECT_EQ(PanelWidth(0), 1);
    EXPECT_EQ(Panel(1), kNoIcons);
    EXPECT_EQ(PanelWidth(1), WidthOf(kNoIcons));
    EXPECT_EQ(PanelWidth(2), 0);
    EXPECT_EQ(PanelWidth(3), 50);
    EXPECT_FALSE(main->lbxViewer->isEnabled());
    EXPECT_TRUE(main->LoadedIcons.empty());
    EXPECT_FALSE(HourglassShown());
    EXPECT_TRUE(main->Filter == TIconFilter());
    EXPECT_EQ(main->CellWidth, 16);
    EXPECT_EQ(main->CellHeight, 16);
}

TEST_F(MainFixture, DesignedLayoutKeepsTheFilesToolbarAtTheRightEdge) {
    EXPECT_EQ(main->FoldersWidth(), main->width() / 4);
    EXPECT_EQ(main->ContainViewerHeight(), 120);
    EXPECT_EQ(main->pnlFilesToolbar->height(), 23);
    EXPECT_EQ(main->pnlViewerToolbar->height(), 25);
    for (int width : {main->pnlFilesToolbar->width(), 700}) {
        main->pnlFilesToolbar->resize(width, 23);
        EXPECT_EQ(main->btnDetails->geometry().right() + 1, width - 3);
        EXPECT_EQ(main->btnList->geometry().right() + 1, main->btnDetails->x());
        EXPECT_EQ(main->btnLargeIcons->geometry().right() + 1, main->btnSmallIcons->x());
        EXPECT_EQ(main->Bevel1->geometry().right() + 1, main->btnLargeIcons->x() - 2);
        EXPECT_EQ(main->btnScanAllFiles->geometry().right() + 1, main->Bevel1->x() - 2);
        EXPECT_EQ(main->Bevel2->geometry().right() + 1, main->btnScanAllFiles->x() - 2);
        EXPECT_EQ(main->btnScanNow->geometry().right() + 1, main->Bevel2->x() - 2);
        EXPECT_EQ(main->btnScanDirectories->geometry().right() + 1, main->btnScanNow->x());
        EXPECT_EQ(main->lblCurrentPath->x(), 4);
        EXPECT_EQ(main->lblCurrentPath->width(), main->btnScanDirectories->x() - 7);
        EXPECT_EQ(main->Bevel4->x(), 0);
        EXPECT_EQ(main->Bevel4->geometry().right(), main->lblCurrentPath->geometry().right());
    }
    // The progress view stands 8 pixels in from the viewer area, its bar 16 in and centred.
    EXPECT_FALSE(main->pnlProgress->isVisible());
    main->pnlContainViewer->resize(400, 150);
    main->pnlProgress->show();
    EXPECT_EQ(main->pnlProgress->geometry(), QRect(8, 8, 384, 134));
    EXPECT_EQ(main->ProgressBar->geometry(), QRect(16, (134 - 14) / 2, 384 - 32, 14));
    EXPECT_EQ(main->ProgressBar->maximum(), 100);

    for (const char* name :
         {"CopyBackground", "ExportFormat", "ExportFilenameFormat", "ExportPrefix", "ExportPath",
          "ExportSeperator", "ExportOption", "ExportSkipFiles"}) {
        auto* label = main->findChild<QLabel*>(QString::fromLatin1(name));
        ASSERT_NE(label, nullptr) << name;
        EXPECT_FALSE(label->isVisible()) << name;
    }
    EXPECT_EQ(main->ExportFormat->text(), QStringLiteral("3"));           // PNG
    EXPECT_EQ(main->ExportFilenameFormat->text(), QStringLiteral("5"));  // with the depth
    EXPECT_EQ(main->ExportPrefix->text(), QString());
#ifndef Q_OS_WIN
    EXPECT_EQ(main->ExportPath->text(), QDir::homePath() + QStringLiteral("/"));
#endif
    EXPECT_EQ(main->CopyBackgroundColor(), QColor(Qt::white));
    EXPECT_EQ(
        main->SaveAsDialog.Filters,
        QStringList({"Bitmaps (*.bmp)|*.bmp", "Icons (*.ico)|*.ico",
                     "CompuServe GIF Image (*.gif)|*.gif", "Portable Network Graphic (*.png)|*.png",
                     "Apple Icon Image (*.icns)|*.icns"}));
}

// The viewer area keeps its share of the window's height as the window grows or is
// maximised, while its stored height stays the one at the normal size; a drag of the splitter
// sets the share; a window too short for both sides takes the height from the file side.
TEST_F(MainFixture, TheViewerAreaKeepsItsShareOfTheWindowHeight) {
    Settle();
    auto share = [&] {
        return static_cast<double>(main->pnlContainViewer->height()) / main->pnlOverall->height();
    };
    const double first = share();
    const int height = main->height();
    main->resize(main->width(), height + 300);
    Settle();
    EXPECT_GT(main->pnlContainViewer->height(), 120);
    EXPECT_NEAR(share(), first, 0.01);
    main->resize(main->width(), height);
    Settle();
    EXPECT_EQ(main->pnlContainViewer->height(), 120);

    QList<int> sizes = main->Splitter1->sizes();
    main->Splitter1->setSizes({sizes[0] - 60, sizes[1] + 60});
    emit main->Splitter1->splitterMoved(main->Splitter1->handle(1)->y() - 60, 1);
    EXPECT_EQ(main->ContainViewerHeight(), 180);
    main->showMaximized();
    EXPECT_TRUE(QTest::qWaitFor([&] { return main->height() > height; }, 2000));
    Settle();
    ASSERT_TRUE(main->isMaximized());
    EXPECT_GT(main->pnlContainViewer->height(), 180);
    EXPECT_EQ(main->ContainViewerHeight(), 180);
    main->showNormal();
    Settle();

    main->resize(main->width(), 150);
    Settle();
    EXPECT_LT(main->pnlExplorer->height(), main->pnlContainViewer->height());
    EXPECT_GE(main->pnlContainViewer->height(), main->pnlViewerToolbar->height() + 24);
}

TEST_F(MainFixture, FileChoiceAndFolderChangeLoadTheChosenName) {
    Write("one/x.ico", IconOfSizes({{16, 4}, {32, 4}, {48, 8}}));
    Write("one/y.ico", IconOfSizes({{32, 24}}));
    Write("two/x.ico", IconOfSizes({{32, 8}}));
    QDir().mkpath(Folder("three"));
    Browse("one");
    EXPECT_EQ(main->lblCurrentPath->text(), Folder("one"));
    Choose(QStringLiteral("x.ico"));
    EXPECT_EQ(main->CurrentFileName, QStringLiteral("x.ico"));
    EXPECT_EQ(Panel(0), QStringLiteral(" x.ico "));
    EXPECT_EQ(PanelWidth(0), WidthOf(QStringLiteral(" x.ico ")));
    EXPECT_EQ(Panel(1), QStringLiteral(" 3 icons found. "));
    EXPECT_EQ(PanelWidth(1), WidthOf(QStringLiteral(" 3 icons found. ")));
    EXPECT_EQ(PanelWidth(2), 0);
    ASSERT_EQ(main->LoadedIcons.size(), 1u);
    EXPECT_TRUE(main->lbxViewer->isEnabled());
    EXPECT_FALSE(HourglassShown());

    // Choosing the current file again reads nothing anew.
    const TLoadedIcon* loaded = main->LoadedIcons.front().get();
    main->lbxFiles->ClearSelection();
    Choose(QStringLiteral("x.ico"));
    Settle();
    EXPECT_EQ(main->LoadedIcons.front().get(), loaded);

    // Another folder loads its file of the same name without a choice.
    Browse("two");
    EXPECT_EQ(Panel(0), QStringLiteral(" x.ico "));
    EXPECT_EQ(Panel(1), QStringLiteral(" 1 icon found. "));
    ASSERT_EQ(main->LoadedIcons.size(), 1u);
    EXPECT_EQ(main->LoadedIcons.front()->FileName, (dir.Path() / "two/x.ico").string());

    // A folder without it reads nothing: the last file's message goes.
    Browse("three");
    EXPECT_EQ(Panel(0), QString());
    EXPECT_EQ(Panel(1), kNoIcons);
    EXPECT_TRUE(main->LoadedIcons.empty());
    EXPECT_FALSE(main->lbxViewer->isEnabled());
}

TEST_F(MainFixture, MaskChangeReloadsTheSameFolderOnlyWhenTheMaskDiffers) {
    Write("f/x.ico", IconOfSizes({{32, 4}}));
    Browse("f");
    Choose(QStringLiteral("x.ico"));
    ASSERT_EQ(main->LoadedIcons.size(), 1u);
    int runs = 0;
    const QMetaObject::Connection counting =
        QObject::connect(main->LoadRun.get(), &TLoadRun::Finished, main.get(), [&] { ++runs; });

    ChooseFileType(1);  // the mask in force
    Settle();
    EXPECT_EQ(runs, 0);

    ChooseFileType(2);
    WaitFor([&] { return !main->LoadRun->Loading && main->CurrentFolder == Folder("f"); });
    EXPECT_EQ(main->CurrentMask, QStringLiteral("*.ico"));
    EXPECT_EQ(main->lbxFiles->FileMask(), QStringLiteral("*.ico"));
    ASSERT_EQ(main->LoadedIcons.size(), 1u);
    EXPECT_EQ(runs, 1);
    QObject::disconnect(counting);
    EXPECT_EQ(Panel(1), QStringLiteral(" 1 icon found. "));

    ChooseFileType(0);
    EXPECT_EQ(main->lbxFiles->FileMask(), QStringLiteral("*.*"));
    EXPECT_EQ(main->CurrentFolder, Folder("f"));
}

TEST_F(MainFixture, DroppedFilesLoadInDropOrderWithTheProgressViewAboveTenPaths) {
    std::vector<std::string> paths;
    for (int i = 0; i < 11; ++i) {
        paths.push_back(Write("d/i" + std::to_string(i) + ".ico", IconOfSizes({{16, 4}})));
    }

    // One file is opened as the command line opens it: its folder shown, the file chosen.
    RunWatch one;
    Watch(*main, one);
    Drop(*main, Urls({paths[3]}));
    WaitFor([&] { return main->CurrentFolder == Folder("d") && !main->LoadRun->Loading; });
    EXPECT_EQ(Panel(0), QStringLiteral(" i3.ico "));
    ASSERT_EQ(main->LoadedIcons.size(), 1u);
    EXPECT_EQ(main->LoadedIcons.front()->FileName, paths[3]);
    EXPECT_FALSE(one.progressShown);
    EXPECT_EQ(main->CurrentFileName, QStringLiteral("i3.ico"));
    EXPECT_EQ(main->lbxFiles->SelectedPath(), QString::fromStdString(paths[3]));

    RunWatch ten;
    Watch(*main, ten);
    Drop(*main, Urls(std::vector<std::string>(paths.rbegin() + 1, paths.rend())));
    WaitFor([&] { return main->LoadedIcons.size() == 10 && !main->LoadRun->Loading; });
    EXPECT_FALSE(ten.progressShown);
    EXPECT_EQ(main->ProgressBar->maximum(), 100);
    EXPECT_EQ(Panel(0), QStringLiteral(" 10 files. "));
    EXPECT_EQ(main->LoadedIcons.front()->FileName, paths[9]);
    EXPECT_EQ(main->LoadedIcons.back()->FileName, paths[0]);

    RunWatch eleven;
    Watch(*main, eleven);
    Drop(*main, Urls(paths));
    WaitFor([&] { return main->LoadedIcons.size() == 11 && !main->LoadRun->Loading; });
    EXPECT_TRUE(eleven.progressShown);
    EXPECT_FALSE(eleven.gridShown);
    EXPECT_EQ(main->ProgressBar->maximum(), 11);
    EXPECT_EQ(Panel(0), QStringLiteral(" 11 files. "));
    EXPECT_EQ(Panel(1), QStringLiteral(" 11 icons found. "));
    EXPECT_TRUE(main->pnlViewer->isVisible());
    EXPECT_FALSE(main->pnlProgress->isVisible());

    // Folders, unreadable files and other addresses contribute nothing.
    const std::string text = Write("d/notes.txt", ByteView());
    QList<QUrl> mixed = Urls({(dir.Path() / "d").string(), text, paths[0]});
    mixed << QUrl(QStringLiteral("https://example.org/x.ico"));
    Drop(*main, mixed);
    WaitFor([&] { return main->LoadedIcons.size() == 1 && !main->LoadRun->Loading; });
    EXPECT_EQ(Panel(0), QStringLiteral(" 3 files. "));
}

// The files are read while the window serves input: a choice made then stops the run, which
// fills no grid, and the one restart shows only the newly chosen file.
TEST_F(MainFixture, AChoiceDuringARunStopsItAndOneRestartShowsOnlyTheNewFile) {
    std::vector<std::string> paths;
    for (int i = 0; i < 12; ++i) {
        paths.push_back(Write("r/i" + std::to_string(i) + ".ico", IconOfSizes({{16, 4}})));
    }
    Write("r/b.ico", IconOfSizes({{32, 8}, {48, 8}}));
    Browse("r");
    int builds = 0;
    const QMetaObject::Connection counting =
        QObject::connect(main->lbxViewer->model(), &QAbstractItemModel::modelReset, main.get(),
                         [&] { builds += main->lbxViewer->Count() > 0; });
    main->LoadFiles(false, paths);
    ASSERT_TRUE(main->LoadRun->Loading);
    EXPECT_TRUE(main->pnlProgress->isVisible());
    EXPECT_EQ(main->lbxViewer->Count(), 0);
    Choose(QStringLiteral("b.ico"));
    EXPECT_TRUE(main->LoadRun->AbortLoad);

    WaitFor([&] { return main->LoadedIcons.size() == 1 && !main->LoadRun->Loading; });
    EXPECT_EQ(main->LoadedIcons.front()->FileName, (dir.Path() / "r/b.ico").string());
    EXPECT_EQ(main->lbxViewer->Count(), 2);
    EXPECT_EQ(&main->lbxViewer->Item(0), main->LoadedIcons.front()->Images[0].get());
    EXPECT_EQ(builds, 1);
    QObject::disconnect(counting);
    EXPECT_EQ(Panel(0), QStringLiteral(" b.ico "));
    EXPECT_EQ(Panel(1), QStringLiteral(" 2 icons found. "));
    EXPECT_TRUE(main->pnlViewer->isVisible());
    EXPECT_FALSE(main->pnlProgress->isVisible());
    const TLoadedIcon* restarted = main->LoadedIcons.front().get();
    Settle();
    EXPECT_EQ(main->LoadedIcons.front().get(), restarted);
}

TEST_F(MainFixture, ClosingDuringARunClosesWhenTheReadingHasStopped) {
    std::vector<std::string> paths;
    for (int i = 0; i < 12; ++i) {
        paths.push_back(Write("c/i" + std::to_string(i) + ".ico", IconOfSizes({{16, 4}})));
    }
    main->LoadFiles(false, paths);
    EXPECT_FALSE(main->close());
    EXPECT_TRUE(main->LoadRun->CloseRequested);
    EXPECT_TRUE(main->isVisible());
    WaitFor([&] { return !main->isVisible(); });
    EXPECT_LE(main->LoadedIcons.size(), paths.size());
    EXPECT_EQ(main->lbxViewer->Count(), 0);
    EXPECT_FALSE(main->LoadRun->Loading);
}

TEST_F(MainFixture, ScansLoadEveryMatchingFileAndAlwaysScanRestartsAsAScan) {
    Write("s/a.ico", IconOfSizes({{16, 4}}));
    Write("s/b.ICO", IconOfSizes({{32, 4}}));
    Write("s/c.icl", ByteView());
    Write("t/d.ico", IconOfSizes({{16, 4}}));
    Browse("s");
    ChooseFileType(2);
    WaitFor([&] { return main->CurrentFolder == Folder("s") && !main->LoadRun->Loading; });
    main->btnScanNow->click();
    RunToEnd();
    EXPECT_EQ(Panel(0), QStringLiteral(" 2 files. "));
    EXPECT_EQ(Panel(1), QStringLiteral(" 2 icons found. "));

    // Always-scan: a scan at once, and the next folder is scanned too.
    main->btnScanAllFiles->click();
    RunToEnd();
    EXPECT_TRUE(main->btnScanAllFiles->isChecked());
    EXPECT_EQ(Panel(0), QStringLiteral(" 2 files. "));
    Browse("t");
    EXPECT_EQ(Panel(0), QString::fromStdString(" " + (dir.Path() / "t/d.ico").string() + " "));
    EXPECT_EQ(Panel(1), QStringLiteral(" 1 icon found. "));

    // Turned off, the grid stays as it is.
    main->btnScanAllFiles->click();
    EXPECT_FALSE(main->btnScanAllFiles->isChecked());
    EXPECT_EQ(main->LoadedIcons.size(), 1u);

    // Without a current folder a scan lists nothing, not the root folder.
    main->CurrentFolder.clear();
    main->btnScanNow->click();
    RunToEnd();
    EXPECT_EQ(PanelWidth(0), 0);
    EXPECT_EQ(Panel(1), kNoIcons);
}

// The status texts never hold the window open: a long file name is cut at the window's edge,
// and the window keeps its size and its minimum width.
TEST_F(MainFixture, ALongFileNameLeavesTheWindowsSizeAsItWas) {
    const std::string name = std::string(196, 'L') + ".ico";
    Write("n/" + name, IconOfSizes({{32, 8}}));
    Browse("n");
    Settle();
    const QSize size = main->size();
    const int minimumWidth = main->minimumSizeHint().width();
    Choose(QString::fromStdString(name));
    WaitFor([&] { return main->lbxViewer->Count() == 1; });
    Settle();
    EXPECT_EQ(main->StatusBar->Text(0), QStringLiteral(" %1 ").arg(QString::fromStdString(name)));
    EXPECT_GT(PanelWidth(0), main->width());
    EXPECT_EQ(main->size(), size);
    EXPECT_EQ(main->minimumSizeHint().width(), minimumWidth);
    EXPECT_LT(minimumWidth, 691);
}

// What "marrowby2 FILE" and "marrowby2 FOLDER" do: the folder is shown ahead of the stored
// one, the file chosen there with its icons in the grid; a path that does not exist is
// reported and the window starts as ever.
TEST(OpenOnStart, AFileArgumentShowsItsFolderWithTheFileChosenAndItsIconsInTheGrid) {
    QApplication::setQuitOnLastWindowClosed(false);
    ScriptedPrompter prompter;
    TempDir dir;
    dir.Write("start/other.ico", IconOfSizes({{16, 4}}));
    const std::string path = dir.Write("start/x.ico", IconOfSizes({{16, 4}, {32, 8}}));
    const QString folder = QString::fromStdString((dir.Path() / "start").string());
    {
        TMain main;
        main.OpenOnStart(QString::fromStdString(path));
        main.show();
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return main.LoadedIcons.size() == 1 && !main.LoadRun->Loading; }, 10000));
        EXPECT_EQ(main.lbxFolders->Directory(), folder);
        EXPECT_EQ(main.LoadedIcons.front()->FileName, path);
        EXPECT_EQ(main.lbxViewer->Count(), 2);
        EXPECT_EQ(main.lbxFiles->SelectedPath(), QString::fromStdString(path));
        EXPECT_EQ(main.StatusBar->Text(0), QStringLiteral(" x.ico "));
    }
    {
        TMain main;
        main.OpenOnStart(folder);
        main.show();
        EXPECT_TRUE(QTest::qWaitFor([&] { return main.lbxFolders->Directory() == folder; }));
        EXPECT_FALSE(main.lbxFiles->HasSelection());
        main.OpenOnStart(folder + QStringLiteral("/missing.ico"));
        ASSERT_EQ(prompter.shown.size(), 1u);
        EXPECT_TRUE(prompter.shown[0].text.contains(QStringLiteral("missing.ico")));
    }
    QCoreApplication::processEvents();
}
