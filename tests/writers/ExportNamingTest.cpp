#include <gtest/gtest.h>

#include <filesystem>

#include "ImageBuilder.h"
#include "TempDir.h"
#include "writers/ExportNaming.h"

namespace {

TExportNaming Naming(TExportStyle style, char separator, const std::string& prefix,
                     TExportFormat format = TExportFormat::Png) {
    TExportNaming naming;
    naming.Style = style;
    naming.Separator = separator;
    naming.Prefix = prefix;
    naming.Format = format;
    return naming;
}

}  // namespace

TEST(ExportNaming, EffectivePrefixAddsTheSeparatorOnce) {
    EXPECT_EQ(EffectivePrefix("icon", '_'), "icon_");
    EXPECT_EQ(EffectivePrefix("icon_", '_'), "icon_");
    EXPECT_EQ(EffectivePrefix("icon-", '_'), "icon-_");
    EXPECT_EQ(EffectivePrefix("", '_'), "");
    EXPECT_EQ(EffectivePrefix("set  ", ' '), "set  ");
}

TEST(ExportNaming, PrefixCharactersAreRefusedWithTheWarning) {
    for (char c : std::string("\\/:*?\"<>|"))
        EXPECT_TRUE(PrefixHasForbiddenCharacter(std::string("a") + c)) << c;
    EXPECT_FALSE(PrefixHasForbiddenCharacter("my icons-#1 (x)."));
    EXPECT_EQ(kPrefixCharactersMessage,
              "Filename's can not include the following characters:\r\n\r\n"
              "                        \\ / : * ? \" < > |\r\n\r\n"
              "Please change your file naming prefix so that it does\r\n"
              "not include any of these characters.");
}

TEST(ExportNaming, StemsFollowTheStyles) {
    TNameParts parts{"shell32", "#101", "32x32", 7};
    EXPECT_EQ(ExportStem(parts, Naming(TExportStyle::Numeric, '_', "icon")), "icon_7");
    EXPECT_EQ(ExportStem(parts, Naming(TExportStyle::Resource, '_', "")), "#101");
    EXPECT_EQ(ExportStem(parts, Naming(TExportStyle::FileResource, ' ', "")), "shell32 #101");
    EXPECT_EQ(ExportStem(parts, Naming(TExportStyle::ResourceSize, '-', "a-")), "a-#101-32x32");
    EXPECT_EQ(ExportStem(parts, Naming(TExportStyle::FileResourceSize, '-', "set")),
              "set-shell32-#101-32x32");
    parts.Depth = 32;
    EXPECT_EQ(ExportStem(parts, Naming(TExportStyle::FileResourceSizeDepth, '_', "")),
              "shell32_#101_32x32x32");

    // A name too long for the file system loses its resource name's end first; the size and
    // depth part stays, and the longest suffix and the extension still fit in 255 bytes.
    TNameParts longName{"shell32", std::string(300, 'R'), "16x16", 0, 4};
    TExportNaming cut = Naming(TExportStyle::FileResourceSizeDepth, '_', "");
    const std::string stem = ExportStem(longName, cut);
    EXPECT_EQ(stem.substr(0, 11), "shell32_RRR");
    EXPECT_EQ(stem.substr(stem.size() - 8), "_16x16x4");
    EXPECT_EQ(std::filesystem::path(CandidatePath(stem, cut, 999999)).filename().string().size(),
              255u);

    EXPECT_EQ(SourceFileStem("/windows/system32/shell32.dll"), "shell32");
    EXPECT_EQ(SourceFileStem("/icons/archive.tar.ico"), "archive.tar");
    EXPECT_EQ(SourceFileStem("/icons/README"), "README");

    TLoadedIcon icon;
    icon.FileName = "/lib/moricons.dll";
    TLoadedIconImage& large = AddImage(icon, 256, 256, 32, "A/..\\B:\x01");
    TNameParts imageParts = NamePartsOf(large, 3);
    EXPECT_EQ(imageParts.File, "moricons");
    EXPECT_EQ(imageParts.Resource, "A_.._B__");  // never a path out of the export folder
    EXPECT_EQ(imageParts.Size, "256x256");
    EXPECT_EQ(imageParts.Number, 3);
    EXPECT_EQ(imageParts.Depth, 32);
}

TEST(ExportNaming, SampleShowsSixNamesPerStyle) {
    EXPECT_EQ(ExportSampleText(Naming(TExportStyle::FileResourceSize, '-', "set")),
              "set-iconfile-#101-32x32.png\r\nset-iconfile-#102-16x16.png\r\n"
              "set-iconfile-RedIcon-32x32.png\r\nset-iconfile-BlueIcon-32x32.png\r\n"
              "set-iconfile-#107-48x48.png\r\nset-iconfile-#108-64x64.png\r\n");
    EXPECT_EQ(ExportSampleText(Naming(TExportStyle::FileResourceSizeDepth, '_', "")),
              "iconfile_#101_32x32x32.png\r\niconfile_#102_16x16x8.png\r\n"
              "iconfile_RedIcon_32x32x4.png\r\niconfile_BlueIcon_32x32x32.png\r\n"
              "iconfile_#107_48x48x24.png\r\niconfile_#108_64x64x32.png\r\n");
    EXPECT_EQ(ExportSampleText(Naming(TExportStyle::Numeric, '_', "", TExportFormat::Bmp)),
              "1.bmp\r\n2.bmp\r\n3.bmp\r\n4.bmp\r\n5.bmp\r\n6.bmp\r\n");
    EXPECT_EQ(ExportSampleText(Naming(TExportStyle::ResourceSize, ' ', "x", TExportFormat::Gif))
                  .substr(0, 19),
              "x #101 32x32.gif\r\nx");
}

TEST(ExportNaming, CollisionsGetNumberedSuffixesOrAreSkipped) {
    TempDir dir;
    TExportNaming naming = Naming(TExportStyle::Resource, '_', "", TExportFormat::Ico);
    naming.Directory = dir.Path().string();
    auto in = [&](const std::string& name) { return (dir.Path() / name).string(); };

    EXPECT_EQ(ChooseExportPath("#101", 1, naming), in("#101.ico"));
    dir.Write("#101.ico", {});
    EXPECT_EQ(ChooseExportPath("#101", 1, naming), in("#101_(2).ico"));
    dir.Write("#101_(2).ico", {});
    EXPECT_EQ(ChooseExportPath("#101", 1, naming), in("#101_(3).ico"));
    naming.SkipExisting = true;
    EXPECT_EQ(ChooseExportPath("#101", 1, naming), std::nullopt);
    EXPECT_EQ(ChooseExportPath("#102", 1, naming), in("#102.ico"));
    // Skipping checks only the name the k-th file of the stem gets in an empty folder.
    EXPECT_EQ(ChooseExportPath("#101", 2, naming), std::nullopt);
    EXPECT_EQ(ChooseExportPath("#101", 5, naming), in("#101_(5).ico"));

    // An empty stem names the file by its extension alone.
    naming.SkipExisting = false;
    EXPECT_EQ(ChooseExportPath("", 1, naming), in(".ico"));
    dir.Write(".ico", {});
    EXPECT_EQ(ChooseExportPath("", 1, naming), in("_(2).ico"));

    // A link that leads nowhere is taken too: nothing is written through it.
    std::filesystem::create_symlink(dir.Path() / "missing", dir.Path() / "link.ico");
    EXPECT_EQ(ChooseExportPath("link", 1, naming), in("link_(2).ico"));

    naming.Directory = "";
    EXPECT_EQ(ChooseExportPath("x", 1, naming), "x.ico");  // the current folder
}
