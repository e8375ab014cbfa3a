#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

#include "TempDir.h"
#include "icons/DirectoryScan.h"
#include "icons/NameOrder.h"
#include "icons/PathList.h"

namespace fs = std::filesystem;

namespace {

// The folders a walk yields, each with its files' names.
std::vector<std::pair<std::string, std::vector<std::string>>> Walk(TDirectoryScan& scan) {
    std::vector<std::pair<std::string, std::vector<std::string>>> walked;
    scan.Run([&](const TScannedFolder& folder) {
        std::vector<std::string> names;
        for (const std::string& file : folder.Files) {
            EXPECT_EQ(file.rfind(WithTrailingSeparator(folder.Path), 0), 0u) << file;
            names.push_back(fs::path(file).filename().string());
        }
        walked.emplace_back(folder.Path, names);
    });
    return walked;
}

}  // namespace

// Folder by folder in pre-order, each folder's files and then its subfolders in the file
// list's order: case-insensitive, ties by case, letters beyond ASCII folded too.
TEST(DirectoryScan, WalksFolderByFolderInNameOrderListingLinksWithoutEnteringThem) {
    TempDir dir;
    for (const char* file : {"b.ico", "B.ico", "a.ICO", "\xC3\x84rger.ico", "\xC3\xA4pfel.ico",
                             "notes.txt", "Zeta/z.ico", "alpha/A.ico", "alpha/deep/d.ico",
                             ".hidden/h.ico", "alpha.ico/inside.ico"}) {
        dir.Write(file, ByteString{1});
    }
    fs::create_directory_symlink(dir.Path() / "alpha", dir.Path() / "link");
    const std::string root = dir.Path().string();

    TDirectoryScan scan(root, std::string(kIconFileMask));
    const auto walked = Walk(scan);
    using Folder = std::pair<std::string, std::vector<std::string>>;
    EXPECT_EQ(walked,
              (std::vector<Folder>{
                  {root + "/", {"a.ICO", "B.ico", "b.ico", "\xC3\xA4pfel.ico", "\xC3\x84rger.ico"}},
                  {root + "/.hidden", {"h.ico"}},
                  {root + "/alpha", {"A.ico"}},
                  {root + "/alpha/deep", {"d.ico"}},
                  {root + "/alpha.ico", {"inside.ico"}},
                  {root + "/link", {"A.ico"}},  // its files are taken, its folders are not
                  {root + "/Zeta", {"z.ico"}},
              }));
    EXPECT_EQ(scan.Count(), walked.size());
    EXPECT_FALSE(scan.Cancelled());

    // The folder list and the path list built from it give the same files in the same order.
    const std::vector<std::string> folders = ListFolderTree(root);
    ASSERT_EQ(folders.size(), walked.size());
    std::vector<std::string> files;
    for (std::size_t i = 0; i < folders.size(); ++i) {
        EXPECT_EQ(folders[i], walked[i].first);
        for (const std::string& name : walked[i].second)
            files.push_back(WithTrailingSeparator(folders[i]) + name);
    }
    EXPECT_EQ(BuildPathList(folders, kIconFileMask), files);

    EXPECT_TRUE(NameLess("\xC3\x84", "\xC3\xA4pfel"));  // "Ä" < "äpfel"
    EXPECT_FALSE(NameLess("\xC3\xA4", "\xC3\x84"));     // "ä" after "Ä" on the tie
    EXPECT_TRUE(NameLess("z", "\xC3\xA9"));             // "é" after ASCII letters
}

TEST(DirectoryScan, CancelStopsAtTheNextFolderAndMissingFoldersListNothing) {
    TempDir dir;
    for (const char* folder : {"a/a1", "a/a2/deep", "b"})
        fs::create_directories(dir.Path() / folder);
    TDirectoryScan scan(dir.Path().string() + "/");
    std::vector<std::string> found;
    EXPECT_FALSE(scan.Run([&](const TScannedFolder& folder) {
        found.push_back(folder.Path);
        if (scan.Count() == 3) scan.Cancel();
    }));
    EXPECT_TRUE(scan.Cancelled());
    EXPECT_FALSE(scan.Next().has_value());
    const std::string root = dir.Path().string() + "/";  // no doubled separator
    EXPECT_EQ(found, (std::vector<std::string>{root, root + "a", root + "a/a1"}));

    EXPECT_EQ(ListFolderTree(root + "gone"), (std::vector<std::string>{root + "gone/"}));
    TDirectoryScan fromRoot("");
    EXPECT_EQ(fromRoot.Next()->Path, "/");

    // A folder that cannot be read stays listed and contributes nothing.
    if (::geteuid() != 0) {
        fs::permissions(dir.Path() / "a", fs::perms::none);
        const std::vector<std::string> locked = ListFolderTree(root);
        fs::permissions(dir.Path() / "a", fs::perms::owner_all);
        EXPECT_EQ(locked, (std::vector<std::string>{root, root + "a", root + "b"}));
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

    // Whole names match a pattern, in any case: "a.ic" matches neither "*.ico" nor "*.icl".
    EXPECT_EQ(BuildPathList({one}, "*.ico"),
              (std::vector<std::string>{one + "/.hidden.ico", one + "/x.Ico", one + "/x.ico"}));
    EXPECT_EQ(BuildPathList({one + "/"}, kIconFileMask),
              (std::vector<std::string>{one + "/.hidden.ico", one + "/x.icl", one + "/x.Ico",
                                        one + "/x.ico"}));
    EXPECT_EQ(BuildPathList({one}, " x.ic? ;*.IC").size(), 4u);
    EXPECT_EQ(BuildPathList({one}, "*.*").size(), 6u);  // every file, no folder, no pipe
    // Folders in the given order, duplicates kept, unreadable folders skipped.
    EXPECT_EQ(BuildPathList({two, one + "/gone", two}, "*.ani"),
              (std::vector<std::string>{two + "/y.ani", two + "/y.ani"}));
    EXPECT_TRUE(MatchesFileMask("A.ICO", "*.ico"));
    EXPECT_FALSE(MatchesFileMask("noext", "*.ico;*."));
    EXPECT_TRUE(MatchesFileMask("noext", "*.*"));
    EXPECT_TRUE(MatchesFileMask("noext", "*"));
    // Plain suffixes and wildcard patterns agree, over ASCII names and others.
    EXPECT_TRUE(MatchesFileMask("\xc3\x84.ICO", "*.ico"));
    EXPECT_TRUE(MatchesFileMask("x.ICO", "*[.]ico"));
    EXPECT_FALSE(MatchesFileMask("a.ico.bak", "*.ico"));
    EXPECT_TRUE(MatchesFileMask(".ico", "*.ico"));
}
