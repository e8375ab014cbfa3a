#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QSettings>
#include <QTest>
#include <QToolButton>
#include <memory>

#include "ScriptedPrompter.h"
#include "TempDir.h"
#include "toolkit/FormStorage.h"
#include "toolkit/ShellFileList.h"
#include "toolkit/ShellFolderTree.h"
#include "ui/export/ExportSettings.h"
#include "ui/main/LoadRun.h"
#include "ui/main/MainStorage.h"
#include "ui/main/frmMain.h"

namespace {

// The real main window, started and ended as often as a test needs, with its settings in a
// temporary folder.
class MainStorageTest : public ::testing::Test {
protected:
    void SetUp() override {
        QApplication::setQuitOnLastWindowClosed(false);
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, Root());
    }

    std::unique_ptr<TMain> Start() {
        auto main = std::make_unique<TMain>();
        main->show();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !main->CurrentFolder.isEmpty(); }, 10000));
        return main;
    }

    QString Root() const { return QString::fromStdString(dir.Path().string()); }
    // The settings file, named after the program file as the store is.
    QString ConfPath() const {
        const QString store = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
        return QStringLiteral("%1/%2/%2.conf").arg(Root(), store);
    }
    QString Stored(const QString& name) const {
        return QSettings(ConfPath(), QSettings::IniFormat)
            .value(QStringLiteral("TMain/") + name)
            .toString();
    }
    void Seed(const QString& name, const QString& value) const {
        QSettings(ConfPath(), QSettings::IniFormat)
            .setValue(QStringLiteral("TMain/") + name, value);
    }

    ScriptedPrompter prompter;
    TempDir dir;
};

TEST_F(MainStorageTest, FirstRunKeepsTheDesignAndTheNextRunGetsEverythingBack) {
    const QString folder = Root() + QStringLiteral("/icons");
    QDir().mkpath(folder);
    {
        std::unique_ptr<TMain> main = Start();
        EXPECT_EQ(main->FoldersWidth(), main->width() / 4);
        EXPECT_EQ(main->ContainViewerHeight(), 120);
        EXPECT_TRUE(main->btnDetails->isChecked());
        EXPECT_EQ(main->lbxFiles->ViewStyle(), TViewStyle::Report);
        EXPECT_EQ(main->CopyBackgroundColor(), QColor(Qt::white));
        EXPECT_EQ(main->size(), QSize(691, 463));
        EXPECT_EQ(main->SaveAsDialog.FilterIndex, 4);  // PNG
        EXPECT_EQ(main->SaveAsFolder, QDir::homePath());

        main->SetFoldersWidth(230);
        main->ChooseViewButton(main->btnList);
        main->btnScanAllFiles->setChecked(true);
        EXPECT_FALSE(main->IncludeCursors);
        main->IncludeCursors = true;
        EXPECT_FALSE(main->HideDuplicateImages);
        main->HideDuplicateImages = true;
        EXPECT_TRUE(main->ShowLabels);
        main->ShowLabels = false;
        EXPECT_EQ(main->ViewerZoom, TViewerZoom::Fit());
        main->SetViewerZoom(TViewerZoom::AtStep(96));
        main->SetCopyBackgroundColor(QColor(0x10, 0x20, 0x30));
        main->ExportFormat->setText(QStringLiteral("3"));
        main->ExportPrefix->setText(QStringLiteral("icon |"));
        main->ExportPath->setText(folder);
        main->ExportSkipFiles->setText(QStringLiteral("1"));
        main->lbxFolders->SetDirectory(folder);
        main->SaveAsDialog.FilterIndex = 3;
        main->SaveAsFolder = folder;
        main->setGeometry(30, 40, 640, 420);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !main->LoadRun->Loading; }));
        EXPECT_TRUE(main->close());
    }
    EXPECT_EQ(Stored(QStringLiteral("pnlFolders_Width")), QStringLiteral("230"));
    EXPECT_EQ(Stored(QStringLiteral("btnDetails_Down")), QStringLiteral("False"));
    EXPECT_EQ(Stored(QStringLiteral("btnList_Down")), QStringLiteral("True"));
    EXPECT_EQ(Stored(QStringLiteral("btnScanAllFiles_Down")), QStringLiteral("True"));
    EXPECT_EQ(Stored(QStringLiteral("HideDuplicateImages1_Checked")), QStringLiteral("True"));
    EXPECT_EQ(Stored(QStringLiteral("ShowLabels1_Checked")), QStringLiteral("False"));
    EXPECT_EQ(Stored(QStringLiteral("ViewerZoom")), QStringLiteral("96"));
    EXPECT_EQ(Stored(QStringLiteral("CopyBackground_Color")), QString::number(0x302010));
    EXPECT_EQ(Stored(QStringLiteral("ExportPrefix_Caption")), QStringLiteral("icon |"));
    EXPECT_EQ(Stored(QStringLiteral("lbxFolders_Directory")), QDir::toNativeSeparators(folder));
    EXPECT_EQ(Stored(QStringLiteral("SaveAsDialog_FilterIndex")), QStringLiteral("3"));
    EXPECT_EQ(Stored(QStringLiteral("SaveAsDialog_Folder")), folder);
    EXPECT_EQ(Stored(QStringLiteral("Visible")), QStringLiteral("0"));  // saved at the close

    std::unique_ptr<TMain> main = Start();
    EXPECT_EQ(main->geometry(), QRect(30, 40, 640, 420));
    EXPECT_EQ(main->FoldersWidth(), 230);
    EXPECT_TRUE(main->btnList->isChecked());
    EXPECT_FALSE(main->btnDetails->isChecked());
    EXPECT_EQ(main->lbxFiles->ViewStyle(), TViewStyle::List);  // FormStorageRestorePlacement
    EXPECT_TRUE(main->btnScanAllFiles->isChecked());
    EXPECT_TRUE(main->IncludeCursors);
    EXPECT_TRUE(main->HideDuplicateImages);
    EXPECT_FALSE(main->ShowLabels);
    EXPECT_EQ(main->ViewerZoom, TViewerZoom::AtStep(96));
    EXPECT_EQ(main->CopyBackgroundColor(), QColor(0x10, 0x20, 0x30));
    EXPECT_EQ(main->ExportFormat->text(), QStringLiteral("3"));
    EXPECT_EQ(main->ExportPrefix->text(), QStringLiteral("icon |"));
    EXPECT_EQ(main->ExportPath->text(), folder);
    EXPECT_EQ(main->ExportSkipFiles->text(), QStringLiteral("1"));
    EXPECT_EQ(main->lbxFolders->Directory(), QDir::toNativeSeparators(folder));
    EXPECT_EQ(main->SaveAsDialog.FilterIndex, 3);
    EXPECT_EQ(main->SaveAsFolder, folder);
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(MainStorageTest, ExportPreferencesReadFromTheirStoredTextsAndBack) {
    const std::pair<const char*, const char*> seeds[] = {
        {"ExportFormat_Caption", "x"},           {"ExportFilenameFormat_Caption", "9"},
        {"ExportSeperator_Caption", "-1"},       {"ExportPrefix_Caption", "  pre  |"},
        {"ExportPath_Caption", " /out/ icons "}, {"ExportOption_Caption", "yes"},
        {"ExportSkipFiles_Caption", "1"}};
    for (auto [name, value] : seeds) Seed(QString::fromLatin1(name), QString::fromLatin1(value));
    {
        std::unique_ptr<TMain> main = Start();
        // Unreadable or out-of-range indices read as the first item; the stored text lost its
        // outer blanks, the prefix then its bar.
        const TExportSettings read = main->ExportSettings();
        EXPECT_EQ(read.Format, TExportFormat::Bmp);
        EXPECT_EQ(read.Style, TExportStyle::Numeric);
        EXPECT_EQ(read.Separator, '_');
        EXPECT_EQ(read.Prefix, QStringLiteral("pre  "));
        EXPECT_EQ(read.Folder, QStringLiteral("/out/ icons"));
        EXPECT_FALSE(read.MultiFormat);
        EXPECT_TRUE(read.SkipExisting);
        main->ExportPrefix->clear();
        EXPECT_EQ(main->ExportSettings().Prefix, QString());

        main->SetExportSettings({TExportFormat::Png, TExportStyle::FileResourceSize, '-',
                                 QStringLiteral("a "), QStringLiteral("/x"), true, false});
        EXPECT_TRUE(QTest::qWaitFor([&] { return !main->LoadRun->Loading; }));
        EXPECT_TRUE(main->close());
    }
    const std::pair<const char*, const char*> stored[] = {
        {"ExportFormat_Caption", "3"},    {"ExportFilenameFormat_Caption", "4"},
        {"ExportSeperator_Caption", "2"}, {"ExportPrefix_Caption", "a |"},
        {"ExportPath_Caption", "/x"},     {"ExportOption_Caption", "1"},
        {"ExportSkipFiles_Caption", "0"}};
    for (auto [name, value] : stored)
        EXPECT_EQ(Stored(QString::fromLatin1(name)), QString::fromLatin1(value)) << name;
}

TEST_F(MainStorageTest, CloseDuringALoadRunSavesOnlyWhenTheCloseGoesAhead) {
    Seed(QStringLiteral("lbxFolders_Directory"), Root() + QStringLiteral("/gone"));
    std::unique_ptr<TMain> main = Start();
    // A folder that no longer exists leaves the tree at its own first selection.
    EXPECT_EQ(main->lbxFolders->Directory(), QDir::toNativeSeparators(QDir::homePath()));
    main->LoadRun->Loading = true;
    EXPECT_FALSE(main->close());
    EXPECT_TRUE(Stored(QStringLiteral("FormVersion")).isEmpty());
    main->LoadRun->Loading = false;
    main->LoadRun->AbortLoad = false;
    EXPECT_TRUE(main->close());
    EXPECT_EQ(Stored(QStringLiteral("FormVersion")), QStringLiteral("0"));
    EXPECT_EQ(Stored(QStringLiteral("lbxFolders_Directory")),
              QDir::toNativeSeparators(QDir::homePath()));
}

TEST_F(MainStorageTest, SizesAndZoomOutOfRangeAreRepairedWhenRead) {
    // Sizes out of range fall back to the first-start layout (the folder tree a quarter of the
    // window); a zoom out of range to the nearest step within range.
    const std::pair<const char*, const char*> absurd[][3] = {
        {{"pnlFolders_Width", "1"}, {"pnlContainViewer_Height", "99999"}, {"ViewerZoom", "100000"}},
        {{"pnlFolders_Width", "-300"}, {"pnlContainViewer_Height", "0"}, {"ViewerZoom", "-16"}},
        {{"pnlFolders_Width", "690"}, {"pnlContainViewer_Height", "wide"}, {"ViewerZoom", "7"}}};
    const char* zoomed[] = {"2048", "16", "16"};
    for (std::size_t i = 0; i < std::size(absurd); ++i) {
        for (auto [name, value] : absurd[i])
            Seed(QString::fromLatin1(name), QString::fromLatin1(value));
        std::unique_ptr<TMain> main = Start();
        const int quarter = main->width() / 4;
        EXPECT_EQ(main->FoldersWidth(), quarter) << absurd[i][0].second;
        EXPECT_EQ(main->ContainViewerHeight(), 120) << absurd[i][1].second;
        EXPECT_TRUE(QTest::qWaitFor([&] { return !main->LoadRun->Loading; }));
        EXPECT_TRUE(main->close());
        EXPECT_EQ(Stored(QStringLiteral("pnlFolders_Width")), QString::number(quarter));
        EXPECT_EQ(Stored(QStringLiteral("pnlContainViewer_Height")), QStringLiteral("120"));
        EXPECT_EQ(Stored(QStringLiteral("ViewerZoom")), QLatin1String(zoomed[i]));
    }
}

TEST_F(MainStorageTest, ColoursKeepRedInTheLowByte) {
    EXPECT_EQ(ColorValue(Qt::white), 16777215);
    EXPECT_EQ(ColorValue(QColor(0x12, 0x34, 0x56)), 0x563412);
    EXPECT_EQ(ColorFromValue(0x563412), QColor(0x12, 0x34, 0x56));
    // A Windows system colour (high byte set) or a negative number keeps its low three bytes.
    EXPECT_EQ(ColorFromValue(static_cast<int>(0x80000005u)), QColor(5, 0, 0));
    EXPECT_EQ(ColorFromValue(-1), QColor(Qt::white));
}

}  // namespace
