#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "TempDir.h"
#include "icons/DirectoryScan.h"
#include "icons/PathList.h"

namespace fs = std::filesystem;

namespace {

// root/a/{a1, a2/deep}, root/b, root/.hidden, a link back to root, and some files.
void MakeTree(const TempDir& dir) {
    for (const char* folder : {"a/a1", "a/a2/deep", "b", ".hidden"}) {
        fs::create_directories(dir.Path() / folder);
    }
    dir.Write("a/file.ico", ByteString{1});
    fs::create_directory_symlink(dir.Path(), dir.Path() / "a" / "loop");
}

// Whether `folders` is a depth-first pre-order listing: every folder comes right after its
// parent's subtree has started, and a subtree is never interrupted by a folder outside it.
bool IsPreOrder(const std::vector<std::string>& folders) {
    for (std::size_t i = 1; i < folders.size(); ++i) {
        std::string parent = fs::path(folders[i]).parent_path().string();
        auto at = std::find_if(
            folders.begin(), folders.begin() + static_cast<std::ptrdiff_t>(i),
            [&](const std::string& f) { return fs::path(f) == parent || f == parent + "/"; });
        if (at == folders.begin() + static_cast<std::ptrdiff_t>(i)) return false;
        for (auto between = at + 1; between != folders.begin() + static_cast<std::ptrdiff_t>(i);
             ++between) {
            if (between->rfind(parent + "/", 0) != 0) return false;
        }
    }
    return true;
}

}  // namespace

TEST(DirectoryScan, ListsTheTreeDepthFirstWithLinksListedButNotEntered) {
    TempDir dir;
    MakeTree(dir);
    std::string root = dir.Path().string();
    std::vector<std::pair<std::string, std::size_t>> found;
    TDirectoryScan scan(root, [&](const std::string& folder, std::size_t count) {
        found.emplace_back(folder, count);
    });
    ASSERT_TRUE(scan.Run());
    const std::vector<std::string>& folders = scan.Folders();
    EXPECT_EQ(folders[0], root + "/");
    std::set<std::string> listed(folders.begin() + 1, folders.end());
    EXPECT_EQ(listed, (std::set<std::string>{root + "/a", root + "/a/a1", root + "/a/a2",
                                             root + "/a/a2/deep", root + "/a/loop", root + "/b",
                                             root + "/.hidden"}));
    EXPECT_EQ(folders.size(), 8u);
    EXPECT_TRUE(IsPreOrder(folders));
    ASSERT_EQ(found.size(), 7u);
    for (std::size_t i = 0; i < found.size(); ++i) {
        EXPECT_EQ(found[i].first, folders[i + 1]);
        EXPECT_EQ(found[i].second, i + 2);  // the start folder is counted
    }
}

TEST(DirectoryScan, CancelStopsAtTheNextFolderAndMissingFoldersListNothing) {
    TempDir dir;
    MakeTree(dir);
    TDirectoryScan* running = nullptr;
    TDirectoryScan scan(dir.Path().string() + "/", [&](const std::string&, std::size_t count) {
        if (count == 3) running->Cancel();
    });
    running = &scan;
    EXPECT_FALSE(scan.Run());
    EXPECT_TRUE(scan.Cancelled());
    EXPECT_EQ(scan.Folders().size(), 3u);
    EXPECT_EQ(scan.Folders()[0], dir.Path().string() + "/");  // no doubled separator

    TDirectoryScan missing(dir.Path().string() + "/gone");
    EXPECT_TRUE(missing.Run());
    EXPECT_EQ(missing.TakeFolders(), (std::vector<std::string>{dir.Path().string() + "/gone/"}));
    EXPECT_EQ(TDirectoryScan("").Folders(), (std::vector<std::string>{"/"}));

    // A folder that cannot be read stays listed and contributes nothing.
    if (::geteuid() != 0) {
        fs::permissions(dir.Path() / "a", fs::perms::none);
        TDirectoryScan locked(dir.Path().string());
        locked.Run();
        fs::permissions(dir.Path() / "a", fs::perms::owner_all);
        EXPECT_EQ(locked.Folders().size(), 4u);
    }
}

TEST(PathList, MaskRuleAndFolderOrder) {
    TempDir dir;
    for (const char* name : {"x.ico", "x.Ico", "x.icl", "a.ic", "noext", ".hidden.ico"}) {
        dir.Write(std::string("one/") + name, ByteString{1});
    }
    dir.Write("one/folder.ico/inside.ico", ByteString{1});
    dir.Write("two/y.ani", ByteString{1});
    ASSERT_EQ(::mkfifo((dir.Path() / "one" / "pipe.ico").c_str(), 0600), 0);
    std::string one = (dir.Path() / "one").string(), two = (dir.Path() / "two").string();

    auto names = [](std::vector<std::string> paths) {
        std::sort(paths.begin(), paths.end());
        return paths;
    };
    // ".ic" occurs in "*.ico", ".icl" does not.
    EXPECT_EQ(names(BuildPathList({one}, "*.ico")),
              names({one + "/x.ico", one + "/x.Ico", one + "/a.ic", one + "/.hidden.ico"}));
    EXPECT_EQ(names(BuildPathList({one + "/"}, kIconFileMask)),
              names({one + "/x.ico", one + "/x.Ico", one + "/x.icl", one + "/a.ic",
                     one + "/.hidden.ico"}));
    EXPECT_EQ(BuildPathList({one}, "*.*").size(), 6u);  // every file, no folder, no pipe
    // Folders in the given order, duplicates kept, unreadable folders skipped.
    EXPECT_EQ(BuildPathList({two, one + "/gone", two}, "*.ani"),
              (std::vector<std::string>{two + "/y.ani", two + "/y.ani"}));
    EXPECT_TRUE(MatchesFileMask("A.ICO", "*.ico"));
    EXPECT_FALSE(MatchesFileMask("noext", "*.ico;*."));
    EXPECT_TRUE(MatchesFileMask("noext", "*.*"));
}
