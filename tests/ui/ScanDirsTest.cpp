#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <future>

#include "TempDir.h"
#include "ui/dialogs/frmScanDirs.h"

namespace fs = std::filesystem;

namespace {

// Makes each relative folder below root with a file "f.ico" in it, and one plain file beside
// them.
void MakeFolders(const TempDir& root, const std::vector<std::string>& folders) {
    for (const std::string& folder : folders) root.Write(folder + "/f.ico", ByteString{1});
    root.Write("plain.txt", ByteString{1, 2, 3});
}

std::string Root(const TempDir& root) {
    return root.Path().string() + "/";
}

}  // namespace

// The files that match the mask, folder by folder: a folder's own before its subfolders',
// subfolders in name order.
TEST(ScanDirs, TakesTheMatchingFilesOfTheTreeDepthFirstInNameOrder) {
    TempDir root;
    MakeFolders(root, {"a/a1/deep", "a/a2", "a", "B", ".hidden/inner", "c"});
    root.Write("top.ICO", ByteString{1});
    // A link to a folder gives its files but is not entered, so the cycle ends there.
    fs::create_directory_symlink(root.Path(), root.Path() / "c" / "loop");
    TFoundFiles found;
    ASSERT_TRUE(ScanSubdirectories(root.Path().string(), "*.ico", found));
    std::vector<std::string> expected{Root(root) + "top.ICO"};
    for (const char* name : {".hidden/inner", "a", "a/a1/deep", "a/a2", "B", "c"})
        expected.push_back(Root(root) + name + "/f.ico");
    expected.push_back(Root(root) + "c/loop/top.ICO");
    EXPECT_EQ(found.Files, expected);
    EXPECT_TRUE(found.FailedFolders.empty());
}

TEST(ScanDirs, CountLineCountsTheStartFolderAndEmptyFoldersLeaveTheLabels) {
    TempDir root;
    {
        TScanDirs dialog(root.Path().string(), "*");
        TFoundFiles found;
        EXPECT_TRUE(dialog.Execute(found));
        EXPECT_TRUE(found.Files.empty());
        EXPECT_EQ(dialog.Label1->text(), QStringLiteral("..."));
        EXPECT_EQ(dialog.Label2->text(), QStringLiteral("..."));
    }
    MakeFolders(root, {"only"});
    TScanDirs dialog(Root(root), "*");
    TFoundFiles found;
    EXPECT_TRUE(dialog.Execute(found));
    EXPECT_EQ(found.Files,
              (std::vector<std::string>{Root(root) + "plain.txt", Root(root) + "only/f.ico"}));
    EXPECT_EQ(dialog.Label2->text(), QStringLiteral("2 directories found"));
    EXPECT_EQ(dialog.Label1->text(), QString::fromStdString(Root(root) + "only"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Scanning Subdirectories"));
    EXPECT_EQ(dialog.Button1->text(), QStringLiteral("Cancel"));
    EXPECT_GE(dialog.width(), 489);
    EXPECT_GE(dialog.height(), 41);
    EXPECT_GE(dialog.Label1->y(), dialog.Label2->y() + dialog.Label2->height());
}

// The folders are listed on a thread of their own; a cancel given while it runs (here while
// it has found its second folder) stops it before its next folder, and the caller's files stay
// as they were.
TEST(ScanDirs, CancelAndEscStopTheListingBeforeItsNextFolder) {
    TempDir root;
    MakeFolders(root, {"1/2/3/4/5/6/7/8/9"});
    const std::function<void(TScanDirs&)> cancels[] = {
        [](TScanDirs& d) { d.Button1->click(); },
        [](TScanDirs& d) { QTest::keyClick(&d, Qt::Key_Escape); },
    };
    for (const auto& cancel : cancels) {
        TScanDirs* shown = nullptr;
        std::vector<std::size_t> counts;
        auto watch = [&](const std::string&, std::size_t count) {
            counts.push_back(count);
            if (count != 3) return;
            // Cancel on the dialog's thread and wait until it has been given.
            std::promise<void> given;
            QMetaObject::invokeMethod(
                shown,
                [&] {
                    cancel(*shown);
                    given.set_value();
                },
                Qt::QueuedConnection);
            given.get_future().wait();
        };
        TScanDirs dialog(root.Path().string(), "*.ico", watch);
        shown = &dialog;
        TFoundFiles found{{"kept"}, {}};
        EXPECT_FALSE(dialog.Execute(found));
        EXPECT_EQ(found.Files, std::vector<std::string>{"kept"});
        EXPECT_EQ(counts, (std::vector<std::size_t>{2, 3}));
    }
}
