#include <gtest/gtest.h>

#include <QDir>
#include <QSignalSpy>
#include <QTest>
#include <filesystem>

#include "TempDir.h"
#include "toolkit/ShellFileList.h"
#include "toolkit/ShellFolderTree.h"

namespace fs = std::filesystem;

namespace {

QString Native(const fs::path& path) {
    return QDir::toNativeSeparators(QString::fromStdString(path.string()));
}

// A linked tree and list over a temporary folder tree, with the main window's read delay.
struct Browser {
    TempDir dir;
    TShellFolderTree tree;
    TShellFileList list;
    QSignalSpy changes{&tree, &TShellFolderTree::Change};
    QSignalSpy populated{&list, &TShellFileList::Populated};

    Browser() {
        tree.SetListView(&list);
        tree.SetReadDelay(100);
        for (const char* folder : {"a/one", "a/two", "a/three", "b", ".hidden"}) {
            fs::create_directories(dir.Path() / folder);
        }
        dir.Write("a/one/x.ico", ByteString(1, 0));
        dir.Write("a/one/y.txt", ByteString(1, 0));
    }

    // Selects a folder and waits until the list shows it.
    void Show(const fs::path& folder) {
        tree.SetDirectory(Native(folder));
        const int before = populated.count();
        while (populated.count() == before) ASSERT_TRUE(populated.wait());
        populated.clear();
        changes.clear();
    }

    // Waits for the next refill; false when none comes.
    bool NextRefill() { return !populated.isEmpty() || populated.wait(); }

    // Asserts that no further refill arrives.
    void ExpectNoMoreRefills(int expected) {
        EXPECT_FALSE(populated.wait(400));
        EXPECT_EQ(populated.count(), expected);
    }
};

}  // namespace

TEST(ShellFolderTree, DirectoryIsReadWithoutTrailingSeparatorAndUnresolvablePathsAreIgnored) {
    Browser browser;
    EXPECT_EQ(browser.tree.ReadDelay(), 100);
    browser.tree.SetDirectory(Native(browser.dir.Path() / "a" / "two") + QDir::separator());
    EXPECT_EQ(browser.tree.Directory(), Native(browser.dir.Path() / "a" / "two"));

    const QString kept = browser.tree.Directory();
    browser.tree.SetDirectory(Native(browser.dir.Path() / "missing" / "deeper"));
    browser.tree.SetDirectory(Native(browser.dir.Path() / "a" / "one" / "x.ico"));
    browser.tree.SetDirectory(QStringLiteral("relative/path"));
    browser.tree.SetDirectory(QString());
    EXPECT_EQ(browser.tree.Directory(), kept);

    browser.tree.SetDirectory(Native(browser.dir.Path() / ".hidden"));
    EXPECT_EQ(browser.tree.Directory(), Native(browser.dir.Path() / ".hidden"));
    browser.tree.SetDirectory(QStringLiteral("/"));
    EXPECT_EQ(browser.tree.Directory(), QDir::toNativeSeparators(QDir::rootPath()));
}

TEST(ShellFolderTree, ADirectorySetBeforeShowingIsSelectedAndListed) {
    Browser browser;
    const fs::path one = browser.dir.Path() / "a" / "one";
    browser.tree.SetDirectory(Native(one));
    browser.list.SetFileMask(QStringLiteral("*.ICO"));
    browser.tree.show();
    ASSERT_TRUE(browser.NextRefill());
    EXPECT_EQ(browser.tree.Directory(), Native(one));
    EXPECT_EQ(browser.list.Folder(), Native(one));
    ASSERT_EQ(browser.list.Count(), 1);
    EXPECT_EQ(browser.list.ItemPath(0), Native(one / "x.ico"));
    EXPECT_TRUE(browser.tree.isExpanded(browser.tree.currentIndex().parent()));
    browser.ExpectNoMoreRefills(1);
}

TEST(ShellFolderTree, QuickMovesRefillTheListOnceAfterTheLastMove) {
    Browser browser;
    browser.tree.show();
    browser.Show(browser.dir.Path() / "a" / "one");
    // The folders of a sorted: one, three, two.
    QTest::keyClick(&browser.tree, Qt::Key_Down);
    QTest::keyClick(&browser.tree, Qt::Key_Down);
    QTest::keyClick(&browser.tree, Qt::Key_Up);
    EXPECT_EQ(browser.changes.count(), 3);
    EXPECT_EQ(browser.tree.Directory(), Native(browser.dir.Path() / "a" / "three"));
    ASSERT_TRUE(browser.NextRefill());
    EXPECT_EQ(browser.list.Folder(), Native(browser.dir.Path() / "a" / "three"));
    browser.ExpectNoMoreRefills(1);
}

TEST(ShellFolderTree, AFileAddedOrWrittenFromOutsideShowsUpWithoutANewSelection) {
    Browser browser;
    const fs::path one = browser.dir.Path() / "a" / "one";
    browser.Show(one);
    browser.list.SelectItem(0);
    browser.dir.Write("a/one/new.ico", ByteString(5000, 1));
    ASSERT_TRUE(browser.NextRefill());
    EXPECT_EQ(browser.list.Count(), 3);
    EXPECT_EQ(browser.list.ItemPath(0), Native(one / "new.ico"));
    EXPECT_EQ(browser.list.SelectedPath(), Native(one / "x.ico"));
    EXPECT_EQ(browser.changes.count(), 0);
    EXPECT_EQ(browser.tree.Directory(), Native(one));

    // Writing to a listed file refreshes its size.
    const QAbstractItemModel* files = browser.list.CurrentView()->model();
    EXPECT_EQ(files->index(1, 1).data().toString(), QStringLiteral("1 KB"));
    browser.populated.clear();
    browser.dir.Write("a/one/x.ico", ByteString(3000, 2));
    ASSERT_TRUE(browser.NextRefill());
    EXPECT_EQ(files->index(1, 1).data().toString(), QStringLiteral("3 KB"));
    EXPECT_EQ(browser.list.SelectedPath(), Native(one / "x.ico"));
}

TEST(ShellFolderTree, ASubfolderCreatedInTheSelectedFolderJoinsTheTree) {
    Browser browser;
    const fs::path a = browser.dir.Path() / "a";
    browser.Show(a);
    const QModelIndex current = browser.tree.currentIndex();
    browser.tree.expand(current);
    ASSERT_EQ(browser.tree.model()->rowCount(current), 3);
    fs::create_directory(a / "four");
    ASSERT_TRUE(browser.NextRefill());
    EXPECT_EQ(browser.tree.model()->rowCount(current), 4);
    EXPECT_EQ(browser.tree.model()->index(0, 0, current).data().toString(), QStringLiteral("four"));
    EXPECT_TRUE(browser.tree.isExpanded(current));
}

TEST(ShellFolderTree, DeletingTheSelectedFolderSelectsItsParent) {
    Browser browser;
    const fs::path a = browser.dir.Path() / "a";
    browser.Show(a / "two");
    fs::remove_all(a / "two");
    ASSERT_TRUE(browser.NextRefill());
    EXPECT_EQ(browser.tree.Directory(), Native(a));
    EXPECT_EQ(browser.list.Folder(), Native(a));
    EXPECT_GE(browser.changes.count(), 1);
    EXPECT_EQ(browser.tree.model()->rowCount(browser.tree.currentIndex()), 2);

    // Two levels gone at once: the nearest folder that remains is selected.
    browser.populated.clear();
    browser.Show(a / "one");
    fs::remove_all(a);
    ASSERT_TRUE(browser.NextRefill());
    EXPECT_EQ(browser.tree.Directory(), Native(browser.dir.Path()));
    EXPECT_EQ(browser.list.Folder(), Native(browser.dir.Path()));
}
