#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <functional>
#include <set>

#include "TempDir.h"
#include "ui/dialogs/frmScanDirs.h"

namespace fs = std::filesystem;

namespace {

// Makes each relative folder below root, and one plain file beside them.
void MakeFolders(const TempDir& root, const std::vector<std::string>& folders) {
    for (const std::string& folder : folders) fs::create_directories(root.Path() / folder);
    root.Write("plain.txt", ByteString{1, 2, 3});
}

std::string Root(const TempDir& root) {
    return root.Path().string() + "/";
}

// A tick count that moves 60 ms on at every reading and runs user's action at the reading
// given, so the scan serves pending input at every second folder found.
struct TSteppingClock {
    int readings = 0;
    int actAt = -1;
    std::function<void()> action;

    std::uint32_t operator()() {
        if (++readings == actAt) action();
        return static_cast<std::uint32_t>(readings * 60);
    }
};

}  // namespace

TEST(ScanDirs, ListsTheTreeDepthFirstWithTheStartFolderFirst) {
    TempDir root;
    MakeFolders(root, {"a/a1/deep", "a/a2", "b", ".hidden/inner", "c"});
    std::vector<std::string> folders;
    ASSERT_TRUE(ScanSubdirectories(root.Path().string(), folders));

    ASSERT_EQ(folders.size(), 9u);
    EXPECT_EQ(folders[0], Root(root));
    std::set<std::string> expected;
    for (const char* name :
         {"a", "a/a1", "a/a1/deep", "a/a2", "b", ".hidden", ".hidden/inner", "c"})
        expected.insert(Root(root) + name);
    EXPECT_EQ(std::set<std::string>(folders.begin() + 1, folders.end()), expected);
    for (std::size_t i = 1; i < folders.size(); ++i) {
        EXPECT_NE(folders[i].back(), '/') << folders[i];
        // Pre-order: the parent stands before, and the whole subtree follows at once.
        const std::string parent = fs::path(folders[i]).parent_path().string();
        const auto at = std::find_if(folders.begin(), folders.end(), [&](const std::string& f) {
            return f == parent || f == parent + "/";
        });
        EXPECT_LT(at - folders.begin(), static_cast<long>(i)) << folders[i];
        std::size_t end = i + 1;
        while (end < folders.size() && folders[end].starts_with(folders[i] + "/")) ++end;
        for (std::size_t j = end; j < folders.size(); ++j)
            EXPECT_FALSE(folders[j].starts_with(folders[i] + "/")) << folders[j];
    }
}

TEST(ScanDirs, CountLineCountsTheStartFolderAndEmptyFoldersLeaveTheLabels) {
    TempDir root;
    {
        TScanDirs dialog(root.Path().string());
        std::vector<std::string> folders;
        EXPECT_TRUE(dialog.Execute(folders));
        EXPECT_EQ(folders, std::vector<std::string>{Root(root)});
        EXPECT_EQ(dialog.Label1->text(), QStringLiteral("..."));
        EXPECT_EQ(dialog.Label2->text(), QStringLiteral("..."));
    }
    MakeFolders(root, {"only"});
    TScanDirs dialog(Root(root));
    std::vector<std::string> folders;
    EXPECT_TRUE(dialog.Execute(folders));
    EXPECT_EQ(folders, (std::vector<std::string>{Root(root), Root(root) + "only"}));
    EXPECT_EQ(dialog.Label2->text(), QStringLiteral("2 directories found"));
    EXPECT_EQ(dialog.Label1->text(), QString::fromStdString(Root(root) + "only"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Scanning Subdirectories"));
    EXPECT_EQ(dialog.Button1->text(), QStringLiteral("Cancel"));
    EXPECT_GE(dialog.width(), 489);
    EXPECT_GE(dialog.height(), 41);
    EXPECT_GE(dialog.Label1->y(), dialog.Label2->y() + dialog.Label2->height());
}

// The cancel is given between two servings of input: it takes effect at the next serving,
// no later folder is listed and the caller's list stays as it was.
TEST(ScanDirs, CancelAndEscTakeEffectAtTheNextServingOfInput) {
    TempDir root;
    MakeFolders(root, {"1/2/3/4/5/6/7/8/9"});
    const std::function<void(TScanDirs&)> cancels[] = {
        [](TScanDirs& d) { d.Button1->click(); },
        [](TScanDirs& d) { QTest::keyClick(&d, Qt::Key_Escape); },
    };
    for (const auto& cancel : cancels) {
        TSteppingClock clock;
        TScanDirs* shown = nullptr;
        // Reading 1 starts the scan, reading 2 comes with the first folder (no serving),
        // reading 3 with the second (served: the posted cancel is seen there).
        clock.actAt = 2;
        clock.action = [&] { QTimer::singleShot(0, shown, [&] { cancel(*shown); }); };
        TScanDirs dialog(root.Path().string(), std::ref(clock));
        shown = &dialog;
        std::vector<std::string> folders{"kept"};
        EXPECT_FALSE(dialog.Execute(folders));
        EXPECT_EQ(folders, std::vector<std::string>{"kept"});
        EXPECT_EQ(dialog.Label2->text(), QStringLiteral("3 directories found"));
        EXPECT_EQ(dialog.Label1->text(), QString::fromStdString(Root(root) + "1/2"));
        EXPECT_EQ(clock.readings, 3);
    }
}
