#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>

#include "MainFixture.h"

namespace {

void Type(TMain& main, const QString& path) {
    main.lblCurrentPath->setText(path);
    emit main.lblCurrentPath->returnPressed();
}

// The Recent Files entries' captions, as opening the menu lists them.
QStringList RecentEntries(TMain& main) {
    emit main.RecentFiles1->aboutToShow();
    QStringList captions;
    for (const QAction* action : main.RecentFiles1->actions()) captions << action->text();
    return captions;
}

}  // namespace

// Ctrl+L puts the focus in the address bar; Enter on a folder shows it, on a file also chooses
// and loads it (relative to the folder shown), and a path that is not there is named while the
// folder stays.
TEST_F(MainFixture, ATypedPathGoesToItsFolderAndFileOrIsNamedWhenMissing) {
    const std::string icon = Write("a/b c/pic.ico", IconOfSizes({{16, 4}, {32, 8}}));
    Write("a/other.ico", IconOfSizes({{48, 32}}));
    Browse("a");
    main->activateWindow();
    main->lbxFiles->setFocus();
    QTest::keyClick(main.get(), Qt::Key_L, Qt::ControlModifier);
    EXPECT_TRUE(main->lblCurrentPath->hasFocus());
    EXPECT_EQ(main->lblCurrentPath->selectedText(), Folder("a"));

    Type(*main, QStringLiteral("b c/pic.ico"));
    WaitFor([&] { return main->CurrentFolder == Folder("a/b c") && !main->LoadRun->Loading; });
    EXPECT_EQ(main->lblCurrentPath->text(), Folder("a/b c"));
    EXPECT_EQ(main->CurrentFileName, QStringLiteral("pic.ico"));
    EXPECT_EQ(main->lbxFiles->SelectedPath(), QString::fromStdString(icon));
    EXPECT_EQ(main->lbxViewer->Count(), 2);

    // A file of the folder shown is loaded at once.
    Type(*main, Folder("a") + QStringLiteral("other.ico"));
    WaitFor([&] { return main->CurrentFolder == Folder("a") && !main->LoadRun->Loading; });
    EXPECT_EQ(main->lbxViewer->Count(), 1);
    Type(*main, Folder("a") + QStringLiteral("b c/pic.ico"));
    WaitFor([&] { return main->CurrentFolder == Folder("a/b c") && !main->LoadRun->Loading; });
    Type(*main, Folder("a") + QStringLiteral("b c/pic.ico"));
    RunToEnd();
    EXPECT_EQ(main->lbxViewer->Count(), 2);

    const QString missing = Folder("a") + QStringLiteral("gone.ico");
    Type(*main, missing);
    Settle();
    EXPECT_EQ(Panel(0), QStringLiteral(" \"%1\" does not exist: no such file or folder. ").arg(missing));
    EXPECT_EQ(main->CurrentFolder, Folder("a/b c"));
    EXPECT_EQ(main->lbxViewer->Count(), 2);
}

// Files chosen, typed, opened or dropped alone join Recent Files, newest first, ten at most, and
// are stored as the settings are; a file that has gone is dropped when chosen, with a message.
TEST_F(MainFixture, RecentFilesHoldTheLastFilesOpenedAndDropOneThatIsGone) {
    Write("r/x.ico", IconOfSizes({{16, 4}}));
    const std::string opened = Write("s/y & z.ico", IconOfSizes({{32, 4}}));
    Browse("r");
    main->RecentFiles = TRecentFiles();
    Choose(QStringLiteral("x.ico"));

    prompter.openAnswers.push_back(QString::fromStdString(opened));
    main->findChild<QAction*>(QStringLiteral("Open1"))->trigger();
    WaitFor([&] { return main->CurrentFolder == Folder("s") && !main->LoadRun->Loading; });
    ASSERT_EQ(prompter.openFilters.size(), 1u);
    EXPECT_EQ(prompter.openFilters[0].front(),
              QStringLiteral("All files containing icons. (%1)")
                  .arg(QString(main->CurrentMask).replace(QLatin1Char(';'), QLatin1Char(' '))));
    EXPECT_EQ(RecentEntries(*main),
              QStringList({QStringLiteral("&1 %1").arg(Folder("s") + "y && z.ico"),
                           QStringLiteral("&2 %1").arg(Folder("r") + "x.ico")}));

    // The second entry opens its file; a vanished one is taken off.
    main->RecentFiles1->actions().at(1)->trigger();
    WaitFor([&] { return main->CurrentFolder == Folder("r") && !main->LoadRun->Loading; });
    EXPECT_EQ(main->CurrentFileName, QStringLiteral("x.ico"));
    QFile::remove(QString::fromStdString(opened));
    RecentEntries(*main);
    main->RecentFiles1->actions().at(1)->trigger();
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_TRUE(prompter.shown[0].text.contains(QStringLiteral("no longer exists")));
    EXPECT_EQ(main->RecentFiles.Paths(), QStringList({Folder("r") + "x.ico"}));
    EXPECT_EQ(main->CurrentFolder, Folder("r"));

    // Stored as text that keeps blanks and percent signs; never more than ten.
    TRecentFiles many;
    for (int i = 0; i < 12; ++i) many.Add(QStringLiteral("/f/%1 % .ico").arg(i));
    TRecentFiles restored;
    restored.SetText(many.Text());
    EXPECT_EQ(restored.Paths().size(), 10);
    EXPECT_EQ(restored.Paths().front(), QStringLiteral("/f/11 % .ico"));
    EXPECT_EQ(restored.Paths(), many.Paths());
}

// After a dialog or message box the keyboard focus is back on the control that had it.
TEST_F(MainFixture, FocusReturnsToItsControlAfterADialog) {
    main->activateWindow();
    main->lbxFiles->setFocus();
    Settle();
    ASSERT_TRUE(main->lbxFiles->hasFocus());
    SetPrompter(nullptr);
    QTimer::singleShot(0, [] {
        if (QWidget* box = QApplication::activeModalWidget())
            QTest::keyClick(box, Qt::Key_Escape);
    });
    Prompter().Message(main.get(), QStringLiteral("Information"), QStringLiteral("Done."),
                       TPromptButtons::Ok);
    SetPrompter(&prompter);
    WaitFor([&] { return main->lbxFiles->hasFocus(); });
}
