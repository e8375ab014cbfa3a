#include <gtest/gtest.h>

#include <QDir>
#include <QHeaderView>
#include <QListView>
#include <QSignalSpy>
#include <QTreeView>
#include <filesystem>

#include "TempDir.h"
#include "toolkit/ShellFileList.h"

namespace {

QString Native(const std::filesystem::path& path) {
    return QDir::toNativeSeparators(QString::fromStdString(path.string()));
}

QStringList Names(const TShellFileList& list) {
    QStringList names;
    for (int row = 0; row < list.Count(); ++row) {
        names << QFileInfo(list.ItemPath(row)).fileName();
    }
    return names;
}

// A folder with files of several kinds, a hidden file and a subfolder.
struct FilledFolder {
    TempDir dir;
    FilledFolder() {
        for (const char* name : {"b.ICO", "a.exe", "notes.txt", ".hidden.ico", "Makefile"}) {
            dir.Write(name, ByteString(3, 0x41));
        }
        dir.Write("sub/inside.ico", ByteString(1, 0));
    }
};

}  // namespace

TEST(ShellFileList, ListsFilesOnlyWithHiddenOnesSortedByName) {
    FilledFolder folder;
    TShellFileList list;
    QSignalSpy populated(&list, &TShellFileList::Populated);
    EXPECT_EQ(list.FileMask(), QStringLiteral("*.*"));
    list.SetFolder(Native(folder.dir.Path()));
    EXPECT_EQ(populated.count(), 1);
    EXPECT_EQ(list.Folder(), Native(folder.dir.Path()));
    EXPECT_EQ(Names(list), (QStringList{".hidden.ico", "a.exe", "b.ICO", "Makefile", "notes.txt"}));
    EXPECT_EQ(list.ItemPath(2), Native(folder.dir.Path() / "b.ICO"));
    EXPECT_EQ(list.ItemPath(5), QString());
}

TEST(ShellFileList, AnotherMaskRefillsAtOnceAndTheSameMaskDoesNothing) {
    FilledFolder folder;
    TShellFileList list;
    list.SetFolder(Native(folder.dir.Path()));
    QSignalSpy populated(&list, &TShellFileList::Populated);
    list.SetFileMask(QStringLiteral("*.ico;*.EXE"));
    EXPECT_EQ(populated.count(), 1);
    EXPECT_EQ(Names(list), (QStringList{".hidden.ico", "a.exe", "b.ICO"}));
    list.SetFileMask(QStringLiteral("*.ico;*.EXE"));
    EXPECT_EQ(populated.count(), 1);
    list.SetFileMask(QStringLiteral("*.*"));
    EXPECT_EQ(populated.count(), 2);
    EXPECT_EQ(list.Count(), 5);
}

TEST(ShellFileList, SelectionReportsTheChosenFileAndSurvivesARefill) {
    FilledFolder folder;
    TShellFileList list;
    list.SetFolder(Native(folder.dir.Path()));
    QSignalSpy changed(&list, &TShellFileList::Change);
    EXPECT_FALSE(list.HasSelection());
    list.SelectItem(1);
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed[0][0].toString(), Native(folder.dir.Path() / "a.exe"));
    EXPECT_EQ(list.SelectedPath(), Native(folder.dir.Path() / "a.exe"));

    // A new file sorted before the selected one and a removed one: the selection stays on
    // a.exe and no change is reported.
    folder.dir.Write("0first.ico", ByteString(1, 0));
    std::filesystem::remove(folder.dir.Path() / "notes.txt");
    list.Refill();
    EXPECT_EQ(Names(list),
              (QStringList{".hidden.ico", "0first.ico", "a.exe", "b.ICO", "Makefile"}));
    EXPECT_EQ(list.SelectedPath(), Native(folder.dir.Path() / "a.exe"));
    EXPECT_EQ(changed.count(), 1);

    list.ClearSelection();
    EXPECT_FALSE(list.HasSelection());
    EXPECT_EQ(list.SelectedPath(), QString());
    EXPECT_EQ(changed.count(), 1);
}

TEST(ShellFileList, ReportColumnsAndViewStyles) {
    FilledFolder folder;
    TShellFileList list;
    list.SetFolder(Native(folder.dir.Path()));
    EXPECT_EQ(list.ViewStyle(), TViewStyle::Report);
    auto* report = qobject_cast<QTreeView*>(list.CurrentView());
    ASSERT_NE(report, nullptr);
    QAbstractItemModel* model = report->model();
    QStringList titles;
    for (int column = 0; column < model->columnCount(); ++column) {
        titles << model->headerData(column, Qt::Horizontal).toString();
    }
    EXPECT_EQ(titles, (QStringList{"Name", "Size", "Type", "Modified", "Attributes"}));
    const int alignment = model->headerData(1, Qt::Horizontal, Qt::TextAlignmentRole).toInt();
    EXPECT_TRUE(alignment & Qt::AlignRight);
    EXPECT_TRUE(model->index(0, 4).data(Qt::TextAlignmentRole).toInt() & Qt::AlignRight);
    EXPECT_FALSE(model->index(0, 0).data(Qt::TextAlignmentRole).toInt() & Qt::AlignRight);
    EXPECT_EQ(model->index(1, 1).data().toString(), QStringLiteral("1 KB"));
    EXPECT_TRUE(model->index(0, 4).data().toString().contains(QLatin1Char('H')));
    EXPECT_EQ(report->editTriggers(), QAbstractItemView::NoEditTriggers);

    // On each refill the name column takes its longest name's width while the list has room.
    const QString longName = QString(70, QLatin1Char('n')) + QStringLiteral(".dll");
    folder.dir.Write(longName.toStdString(), ByteString(3, 0x41));
    list.resize(1400, 300);
    list.show();
    list.Refill();
    const int longest = report->fontMetrics().horizontalAdvance(longName);
    EXPECT_GT(report->header()->sectionSize(0), longest);
    EXPECT_LT(report->header()->sectionSize(0), longest + 60);
    list.hide();

    list.SetViewStyle(TViewStyle::Icon);
    auto* icons = qobject_cast<QListView*>(list.CurrentView());
    ASSERT_NE(icons, nullptr);
    EXPECT_EQ(icons->viewMode(), QListView::IconMode);
    EXPECT_EQ(icons->iconSize(), QSize(32, 32));
    list.SetViewStyle(TViewStyle::SmallIcon);
    EXPECT_EQ(icons->viewMode(), QListView::ListMode);
    EXPECT_EQ(icons->flow(), QListView::LeftToRight);
    EXPECT_EQ(icons->iconSize(), QSize(16, 16));
    list.SetViewStyle(TViewStyle::List);
    EXPECT_EQ(icons->flow(), QListView::TopToBottom);
    EXPECT_EQ(list.ViewStyle(), TViewStyle::List);

    // Both arrangements share one selection.
    list.SelectItem(3);
    list.SetViewStyle(TViewStyle::Report);
    EXPECT_EQ(list.SelectedPath(), Native(folder.dir.Path() / "Makefile"));
    EXPECT_EQ(report->selectionModel()->selectedRows().value(0).row(), 3);
}

TEST(ShellFileList, AMissingFolderListsNothing) {
    TempDir dir;
    TShellFileList list;
    QSignalSpy populated(&list, &TShellFileList::Populated);
    list.SetFolder(Native(dir.Path() / "gone"));
    EXPECT_EQ(populated.count(), 1);
    EXPECT_EQ(list.Count(), 0);
}
