#include <gtest/gtest.h>

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cerrno>
#include <filesystem>
#include <functional>
#include <set>
#include <system_error>

#include "ImageBuilder.h"
#include "ScriptedPrompter.h"
#include "TempDir.h"
#include "UrlRecorder.h"
#include "icons/LoadIcons.h"
#include "ui/export/frmBatchIconExport.h"

namespace fs = std::filesystem;

namespace {

std::set<std::string> FilesIn(const fs::path& dir) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) names.insert(entry.path().filename());
    return names;
}

// The images of the entries, standing for every loaded image when the filter hides none.
TLoadedImages LoadedOf(const std::vector<TExportEntry>& entries) {
    TLoadedImages loaded;
    for (const TExportEntry& entry : entries) loaded.push_back(entry.Image);
    return loaded;
}

// Two source files: a library with the icons #101 (three sizes) and #102, and an icon file.
struct TGrid {
    TLoadedIcon library;
    TLoadedIcon file;
    std::vector<TExportEntry> entries;

    TGrid() {
        library.FileName = "/src/shell32.dll";
        file.FileName = "/src/faces.ico";
        for (TLoadedIconImage* image :
             {&AddImage(library, 16, 16, 4, "#101"), &AddImage(library, 32, 32, 8, "#101"),
              &AddImage(library, 48, 48, 32, "#102"), &AddImage(file, 16, 16, 4),
              &AddImage(library, 64, 64, 32, "#101"), &AddImage(file, 32, 32, 32)}) {
            entries.push_back({image, false});
        }
    }
    std::vector<TExportEntry> Selecting(std::initializer_list<int> rows) const {
        std::vector<TExportEntry> chosen = entries;
        for (int row : rows) chosen[static_cast<std::size_t>(row)].Selected = true;
        return chosen;
    }
};

TExportSettings Settings(const fs::path& dir, TExportFormat format, TExportStyle style,
                         const char* prefix = "", bool multiFormat = false, bool skip = false) {
    return {format, style, '_', prefix, QString::fromStdString(dir.string()), multiFormat, skip};
}

// Opens the dialog, arranges for `during` to run at the first serving of input once the
// writing phase has moved the bar, and presses Export.
void Export(TExportSettings settings, std::vector<TExportEntry> entries,
            const std::function<void(TBatchIconExport&)>& during = {}) {
    TLoadedImages loaded = LoadedOf(entries);
    TBatchIconExport dialog(settings, std::move(entries), std::move(loaded), clWhite);
    bool posted = false;
    QObject::connect(dialog.ProgressBar1, &QProgressBar::valueChanged, &dialog, [&] {
        if (!during || posted || !dialog.Exporting ||
            dialog.Label10->text() != QStringLiteral("Source filename:"))
            return;
        posted = true;
        QTimer::singleShot(0, &dialog, [&] { during(dialog); });
    });
    QTimer::singleShot(0, &dialog, [&] {
        dialog.btnExport->click();
        if (dialog.isVisible()) {
            ADD_FAILURE() << "the dialog is still open";
            dialog.done(0);
        }
    });
    dialog.exec();
}

}  // namespace

TEST(BatchExportRun, SingleImagesAreNamedWithCollisionSuffixesOrSkipped) {
    ScriptedPrompter prompter;
    TGrid grid;
    TempDir dir;
    Export(Settings(dir.Path(), TExportFormat::Bmp, TExportStyle::Resource),
           grid.Selecting({0, 1, 4}));
    EXPECT_EQ(FilesIn(dir.Path()),
              (std::set<std::string>{"#101.bmp", "#101_(2).bmp", "#101_(3).bmp"}));

    // Skipping existing files names each as in an empty folder: the same names here.
    TempDir skipping;
    Export(Settings(skipping.Path(), TExportFormat::Bmp, TExportStyle::Resource, "", false, true),
           grid.Selecting({0, 1, 4}));
    EXPECT_EQ(FilesIn(skipping.Path()),
              (std::set<std::string>{"#101.bmp", "#101_(2).bmp", "#101_(3).bmp"}));

    // Numbers are grid positions, unselected cells counted; an icon-file image has no
    // resource name, so style 1 names it by the extension alone.
    TempDir numbered;
    Export(Settings(numbered.Path(), TExportFormat::Png, TExportStyle::Numeric, "icon_"),
           grid.Selecting({2, 5}));
    EXPECT_EQ(FilesIn(numbered.Path()), (std::set<std::string>{"icon_3.png", "icon_6.png"}));
    TempDir bare;
    Export(Settings(bare.Path(), TExportFormat::Ico, TExportStyle::Resource),
           grid.Selecting({3, 5}));
    EXPECT_EQ(FilesIn(bare.Path()), (std::set<std::string>{".ico", "_(2).ico"}));
    const auto single = LoadIconsFromFile((bare.Path() / "_(2).ico").string());
    ASSERT_TRUE(single);
    EXPECT_EQ(single->Images.size(), 1u);
    ASSERT_EQ(prompter.shown.size(), 4u);  // one report per run
    EXPECT_EQ(prompter.shown[0].text, QStringLiteral("3 files written, 0 skipped, 0 failed."));
}

TEST(BatchExportRun, MultiFormatWritesEachIconOnceWithAllItsGridImages) {
    ScriptedPrompter prompter;
    TGrid grid;
    TempDir dir;
    // One selected image of #101, two of the icon file (not side by side), one of #102.
    Export(Settings(dir.Path(), TExportFormat::Ico, TExportStyle::FileResourceSize, "", true),
           grid.Selecting({1, 2, 3, 5}));
    EXPECT_EQ(FilesIn(dir.Path()),
              (std::set<std::string>{"shell32_#101_16x16.ico", "shell32_#102_48x48.ico",
                                     "faces__16x16.ico"}));
    const auto icon101 = LoadIconsFromFile((dir.Path() / "shell32_#101_16x16.ico").string());
    ASSERT_TRUE(icon101);
    ASSERT_EQ(icon101->Images.size(), 3u);
    EXPECT_EQ(icon101->Images[0]->PixelWidth(), 16);
    EXPECT_EQ(icon101->Images[1]->PixelWidth(), 32);
    EXPECT_EQ(icon101->Images[2]->PixelWidth(), 64);
    const auto faces = LoadIconsFromFile((dir.Path() / "faces__16x16.ico").string());
    ASSERT_TRUE(faces);
    EXPECT_EQ(faces->Images.size(), 2u);

    // Equal stems of different icons take the collision suffix, or are skipped.
    TempDir colliding;
    Export(Settings(colliding.Path(), TExportFormat::Ico, TExportStyle::Numeric, "", true),
           grid.Selecting({0, 2}));
    EXPECT_EQ(FilesIn(colliding.Path()), (std::set<std::string>{"1.ico", "3.ico"}));
    Export(Settings(colliding.Path(), TExportFormat::Ico, TExportStyle::Numeric, "", true, true),
           grid.Selecting({0, 2}));
    EXPECT_EQ(FilesIn(colliding.Path()), (std::set<std::string>{"1.ico", "3.ico"}));
    Export(Settings(colliding.Path(), TExportFormat::Ico, TExportStyle::Numeric, "", true),
           grid.Selecting({0}));
    EXPECT_EQ(FilesIn(colliding.Path()), (std::set<std::string>{"1.ico", "1_(2).ico", "3.ico"}));
}

TEST(BatchExportRun, ProgressViewShowsTheRunAndTheBarReachesItsEnd) {
    ScriptedPrompter prompter;
    TGrid grid;
    TempDir dir;
    TExportSettings settings =
        Settings(dir.Path(), TExportFormat::Png, TExportStyle::Resource, "", false, true);
    TBatchIconExport dialog(settings, grid.Selecting({0, 1, 3}), LoadedOf(grid.entries), clWhite);
    std::vector<int> positions;
    QObject::connect(dialog.ProgressBar1, &QProgressBar::valueChanged, &dialog,
                     [&](int value) { positions.push_back(value); });
    dir.Write("#101.png", ByteString{1});  // skipped, yet counted; #101 32x32 is the second
    QTimer::singleShot(0, &dialog, [&] {
        dialog.btnExport->click();
        EXPECT_TRUE(dialog.Panel1->isHidden());
        EXPECT_FALSE(dialog.Panel2->isHidden());
        EXPECT_FALSE(dialog.btnExport->isEnabled());
        EXPECT_EQ(dialog.Label11->text(), QStringLiteral("faces.ico"));
        EXPECT_EQ(dialog.ProgressBar1->maximum(), 3);
        EXPECT_EQ(dialog.ProgressBar1->value(), 3);
    });
    dialog.exec();
    EXPECT_EQ(positions, (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(FilesIn(dir.Path()), (std::set<std::string>{"#101.png", "#101_(2).png", ".png"}));
}

TEST(BatchExportRun, CancelAndEscStopAfterTheCurrentFileTheCloseBoxDoesNot) {
    ScriptedPrompter prompter;
    TGrid grid;
    const std::function<void(TBatchIconExport&)> stops[] = {
        [](TBatchIconExport& d) { d.btnCancel->click(); },
        [](TBatchIconExport& d) { QTest::keyClick(&d, Qt::Key_Escape); },
    };
    for (const auto& stop : stops) {
        TempDir dir;
        Export(Settings(dir.Path(), TExportFormat::Png, TExportStyle::Numeric),
               grid.Selecting({0, 1, 2, 4}), stop);
        EXPECT_EQ(FilesIn(dir.Path()), std::set<std::string>{"1.png"});
        TempDir multi;
        Export(Settings(multi.Path(), TExportFormat::Ico, TExportStyle::Numeric, "", true),
               grid.Selecting({0, 2, 3}), stop);
        EXPECT_EQ(FilesIn(multi.Path()), std::set<std::string>{"1.ico"});
    }
    TempDir closed;
    Export(Settings(closed.Path(), TExportFormat::Png, TExportStyle::Numeric),
           grid.Selecting({0, 1, 2}), [](TBatchIconExport& d) { d.close(); });
    EXPECT_EQ(FilesIn(closed.Path()), (std::set<std::string>{"1.png", "2.png", "3.png"}));
    // A cancelled run reports too.
    ASSERT_EQ(prompter.shown.size(), 5u);
    EXPECT_EQ(prompter.shown[0].caption, QStringLiteral("Information"));
    EXPECT_EQ(prompter.shown[0].text, QStringLiteral("1 file written, 0 skipped, 0 failed."));
}

TEST(BatchExportRun, CancelWhileSearchingWritesNothing) {
    ScriptedPrompter prompter;
    TGrid grid;
    TempDir dir;
    TExportSettings settings =
        Settings(dir.Path(), TExportFormat::Ico, TExportStyle::Numeric, "", true);
    TBatchIconExport dialog(settings, grid.Selecting({0, 2, 3}), LoadedOf(grid.entries), clWhite);
    QTimer::singleShot(0, &dialog, [&] {
        // Posted before the run starts: seen at the first serving of input, while searching.
        QTimer::singleShot(0, &dialog, [&] {
            EXPECT_EQ(dialog.Label10->text(),
                      QStringLiteral("Preparing to export. Searching for multi-format icons..."));
            dialog.btnCancel->click();
        });
        dialog.btnExport->click();
    });
    dialog.exec();
    EXPECT_TRUE(FilesIn(dir.Path()).empty());
    EXPECT_TRUE(dialog.CancelRequested);
}

// A file that cannot be written is listed with the system's reason, the run goes on to the
// end, and its report's "Open Folder" has the desktop open the export directory.
TEST(BatchExportRun, RunGoesPastAnUnwritableFileToItsReport) {
    ScriptedPrompter prompter;
    prompter.answers = {TPromptAnswer::OpenFolder};
    UrlRecorder urls;
    TLoadedIcon library;
    library.FileName = "/src/lib.dll";
    AddImage(library, 16, 16, 4, "#1");
    AddImage(library, 16, 16, 4, "B");
    AddImage(library, 32, 32, 4, "B");  // the failed name stays taken: B_(2)
    AddImage(library, 16, 16, 4, "#3");
    std::vector<TExportEntry> entries;
    for (const auto& image : library.Images) entries.push_back({image.get(), true});
    TempDir dir;
    // A folder holds the name B.bmp, so that file cannot be written.
    std::filesystem::create_directories(dir.Path() / "B.bmp");
    Export(Settings(dir.Path(), TExportFormat::Bmp, TExportStyle::Resource), entries);
    std::set<std::string> files = FilesIn(dir.Path());
    EXPECT_EQ(files.count("#1.bmp"), 1u);
    EXPECT_EQ(files.count("#3.bmp"), 1u);
    EXPECT_TRUE(std::filesystem::is_directory(dir.Path() / "B.bmp"));
    EXPECT_EQ(files.count("B_(2).bmp"), 1u);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].caption, QStringLiteral("Information"));
    EXPECT_EQ(prompter.shown[0].buttons, TPromptButtons::OkOpenFolder);
    const std::string target = (dir.Path() / "B.bmp").string();
    EXPECT_EQ(prompter.shown[0].text.toStdString(),
              "3 files written, 0 skipped, 1 failed.\r\n\r\nFailed:\r\nB.bmp: Error Opening File " +
                  target + "! (" + std::generic_category().message(EISDIR) + ")");
    ASSERT_EQ(urls.opened.size(), 1);
    EXPECT_EQ(urls.opened[0], QUrl::fromLocalFile(QString::fromStdString(dir.Path().string())));
}
