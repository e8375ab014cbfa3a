#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <filesystem>
#include <functional>

#include "ImageBuilder.h"
#include "ScriptedPrompter.h"
#include "TempDir.h"
#include "ui/export/DirectoryEdit.h"
#include "ui/export/frmBatchIconExport.h"

namespace fs = std::filesystem;

namespace {

const QString kPrefixWarning = QStringLiteral(
    "Filename's can not include the following characters:\r\n\r\n"
    "                        \\ / : * ? \" < > |\r\n\r\n"
    "Please change your file naming prefix so that it does\r\n"
    "not include any of these characters.");
const QString kCreateQuestion = QStringLiteral(
    "The export directory you specified\r\ndoes not exist.\r\n\r\nDo you want to create it now?");

// Opens the dialog and plays the user's actions once it is up; a dialog the actions leave
// open fails the test and is cancelled.
void RunDialog(TExportSettings& settings, std::vector<TExportEntry> entries,
               const std::function<void(TBatchIconExport&)>& user) {
    TLoadedImages loaded;
    for (const TExportEntry& entry : entries) loaded.push_back(entry.Image);
    TBatchIconExport dialog(settings, std::move(entries), std::move(loaded), clWhite);
    QTimer::singleShot(0, &dialog, [&] {
        user(dialog);
        if (dialog.isVisible()) {
            ADD_FAILURE() << "the dialog is still open";
            dialog.btnCancel->click();
        }
    });
    dialog.exec();
}

QStringList SampleLines(const TBatchIconExport& d) {
    return d.Memo1->toPlainText().split(QLatin1Char('\n'));
}

TExportSettings Stored(TExportFormat format, TExportStyle style, const char* prefix,
                       const QString& path, char separator, bool multiFormat = false,
                       bool skip = false) {
    return {format, style, separator, prefix, path, multiFormat, skip};
}

}  // namespace

TEST(BatchExportDialog, SampleShowsSixNamesOfEveryStyle) {
    TExportSettings settings =
        Stored(TExportFormat::Png, TExportStyle::FileResourceSize, "set", "/tmp", '-');
    TBatchIconExport d(settings, {}, {}, clWhite);
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Batch Icon Export"));
    EXPECT_EQ(SampleLines(d).first(), QStringLiteral("set-iconfile-#101-32x32.png"));
    const QStringList expected[] = {
        {"set-1.png", "set-2.png", "set-3.png", "set-4.png", "set-5.png", "set-6.png", ""},
        {"set-#101.png", "set-#102.png", "set-RedIcon.png", "set-BlueIcon.png", "set-#107.png",
         "set-#108.png", ""},
        {"set-iconfile-#101.png", "set-iconfile-#102.png", "set-iconfile-RedIcon.png",
         "set-iconfile-BlueIcon.png", "set-iconfile-#107.png", "set-iconfile-#108.png", ""},
        {"set-#101-32x32.png", "set-#102-16x16.png", "set-RedIcon-32x32.png",
         "set-BlueIcon-32x32.png", "set-#107-48x48.png", "set-#108-64x64.png", ""},
        {"set-iconfile-#101-32x32.png", "set-iconfile-#102-16x16.png",
         "set-iconfile-RedIcon-32x32.png", "set-iconfile-BlueIcon-32x32.png",
         "set-iconfile-#107-48x48.png", "set-iconfile-#108-64x64.png", ""},
        {"set-iconfile-#101-32x32x32.png", "set-iconfile-#102-16x16x8.png",
         "set-iconfile-RedIcon-32x32x4.png", "set-iconfile-BlueIcon-32x32x32.png",
         "set-iconfile-#107-48x48x24.png", "set-iconfile-#108-64x64x32.png", ""},
    };
    for (int style = 0; style < 6; ++style) {
        d.lbxStyle->setCurrentIndex(style);
        EXPECT_EQ(SampleLines(d), expected[style]) << style;
    }

    // Separator, format and prefix change the sample at once; directory and skip do not.
    d.lbxStyle->setCurrentIndex(3);
    d.lbxSeperator->setCurrentIndex(1);
    EXPECT_EQ(SampleLines(d)[1], QStringLiteral("set #102 16x16.png"));
    d.lbxFormat->setCurrentIndex(2);
    EXPECT_EQ(SampleLines(d)[1], QStringLiteral("set #102 16x16.gif"));
    d.lbxSeperator->setCurrentIndex(0);
    d.txtPrefix->setText(QStringLiteral("icon-"));
    EXPECT_EQ(SampleLines(d)[0], QStringLiteral("icon-_#101_32x32.gif"));
    d.txtPrefix->setText(QStringLiteral("icon_"));
    EXPECT_EQ(SampleLines(d)[0], QStringLiteral("icon_#101_32x32.gif"));
    d.txtPrefix->clear();
    d.lbxStyle->setCurrentIndex(2);
    EXPECT_EQ(SampleLines(d)[2], QStringLiteral("iconfile_RedIcon.gif"));
    const QString before = d.Memo1->toPlainText();
    d.txtDirectory->setText(QStringLiteral("/elsewhere"));
    d.chkSkipFiles->setChecked(true);
    EXPECT_EQ(d.Memo1->toPlainText(), before);
}

TEST(BatchExportDialog, MultiFormatBoxShowsOnlyForIconsAndKeepsItsTick) {
    TExportSettings settings =
        Stored(TExportFormat::Ico, TExportStyle::Numeric, "", "/tmp", '_', true);
    TBatchIconExport d(settings, {}, {}, clWhite);
    EXPECT_FALSE(d.chkOption->isHidden());
    EXPECT_TRUE(d.chkOption->isChecked());
    EXPECT_EQ(d.chkOption->text(), QStringLiteral("Export as multi-format ICO files"));
    d.lbxFormat->setCurrentIndex(3);
    EXPECT_TRUE(d.chkOption->isHidden());
    EXPECT_TRUE(d.chkOption->isChecked());
    d.lbxFormat->setCurrentIndex(4);
    EXPECT_FALSE(d.chkOption->isHidden());
    EXPECT_EQ(d.chkOption->text(), QStringLiteral("Export as multi-format ICNS files"));
    d.lbxFormat->setCurrentIndex(1);
    EXPECT_FALSE(d.chkOption->isHidden());
    const QStringList formats = {"Windows Bitmap (*.bmp)", "Windows Icon (*.ico)",
                                 "Compuserver GIF (*.gif)", "Portable Network Graphic (*.png)",
                                 "Apple Icon Image (*.icns)"};
    ASSERT_EQ(d.lbxFormat->count(), 5);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(d.lbxFormat->itemText(i), formats[i]);
    EXPECT_EQ(d.lbxSeperator->itemText(2), QStringLiteral("Hyphen character"));
    EXPECT_EQ(d.lbxStyle->itemText(4),
              QStringLiteral("Source filename, resource name, and icon size"));
    EXPECT_EQ(d.lbxStyle->itemText(5),
              QStringLiteral("Source filename, resource name, icon size, and color depth"));
}

TEST(BatchExportDialog, SettingsLoadAndAreStoredOnlyByAValidExport) {
    ScriptedPrompter prompter;
    TempDir dir;
    const QString path = QString::fromStdString(dir.Path().string());
    TExportSettings settings =
        Stored(TExportFormat::Gif, TExportStyle::ResourceSize, "  pre  ", path, ' ', true, true);
    RunDialog(settings, {}, [&](TBatchIconExport& d) {
        EXPECT_EQ(d.lbxFormat->currentIndex(), 2);
        EXPECT_EQ(d.lbxStyle->currentIndex(), 3);
        EXPECT_EQ(d.txtPrefix->text(), QStringLiteral("  pre  "));
        EXPECT_EQ(d.txtDirectory->text(), path);
        EXPECT_EQ(d.lbxSeperator->currentIndex(), 1);
        EXPECT_TRUE(d.chkOption->isChecked());
        EXPECT_TRUE(d.chkSkipFiles->isChecked());
        d.lbxFormat->setCurrentIndex(0);
        d.chkSkipFiles->setChecked(false);
        d.btnCancel->click();
    });
    EXPECT_EQ(settings.Format, TExportFormat::Gif);  // cancelled: nothing stored
    EXPECT_TRUE(settings.SkipExisting);

    RunDialog(settings, {}, [&](TBatchIconExport& d) {
        d.lbxFormat->setCurrentIndex(0);
        d.chkSkipFiles->setChecked(false);
        d.txtDirectory->setText(path + QStringLiteral("/"));
        d.btnExport->click();
    });
    EXPECT_EQ(settings.Format, TExportFormat::Bmp);
    EXPECT_EQ(settings.Style, TExportStyle::ResourceSize);
    EXPECT_EQ(settings.Prefix, QStringLiteral("  pre  "));
    EXPECT_EQ(settings.Folder, path + QStringLiteral("/"));
    EXPECT_EQ(settings.Separator, ' ');
    EXPECT_TRUE(settings.MultiFormat);  // hidden, but kept and stored
    EXPECT_FALSE(settings.SkipExisting);
}

TEST(BatchExportDialog, PrefixWithAForbiddenCharacterIsRefused) {
    ScriptedPrompter prompter;
    TempDir dir;
    TExportSettings settings = Stored(TExportFormat::Bmp, TExportStyle::Numeric, "",
                                      QString::fromStdString(dir.Path().string()), '_');
    const TExportSettings before = settings;
    const QString forbidden = QStringLiteral("\\/:*?\"<>|");
    RunDialog(settings, {}, [&](TBatchIconExport& d) {
        for (QChar c : forbidden) {
            d.txtPrefix->setText(QStringLiteral("a") + c + QStringLiteral("b"));
            d.btnExport->click();
            EXPECT_TRUE(d.isVisible());
            EXPECT_FALSE(d.Panel1->isHidden());
            EXPECT_TRUE(d.btnExport->isEnabled());
        }
        d.btnCancel->click();
    });
    ASSERT_EQ(prompter.shown.size(), 9u);
    for (const auto& shown : prompter.shown) {
        EXPECT_EQ(shown.caption, QStringLiteral("Warning"));
        EXPECT_EQ(shown.text, kPrefixWarning);
        EXPECT_EQ(shown.buttons, TPromptButtons::Ok);
    }
    EXPECT_EQ(settings, before);
}

TEST(BatchExportDialog, MissingDirectoryIsCreatedOnlyWhenTheUserAgrees) {
    ScriptedPrompter prompter;
    TempDir dir;
    const fs::path missing = dir.Path() / "new" / "deeper";
    TExportSettings settings = Stored(TExportFormat::Bmp, TExportStyle::Numeric, "",
                                      QString::fromStdString(missing.string()), '_');
    prompter.answers = {TPromptAnswer::No, TPromptAnswer::Yes};
    RunDialog(settings, {}, [&](TBatchIconExport& d) {
        d.btnExport->click();
        EXPECT_TRUE(d.isVisible());
        EXPECT_FALSE(fs::exists(missing));
        EXPECT_FALSE(d.Exporting);
        d.btnExport->click();
    });
    EXPECT_TRUE(fs::is_directory(missing));
    ASSERT_EQ(prompter.shown.size(), 3u);  // asked twice, then the export's report
    EXPECT_EQ(prompter.shown[0].caption, QStringLiteral("Confirm"));
    EXPECT_EQ(prompter.shown[0].text, kCreateQuestion);
    EXPECT_EQ(prompter.shown[0].buttons, TPromptButtons::YesNo);
    EXPECT_EQ(prompter.shown[2].text, QStringLiteral("0 files written, 0 skipped, 0 failed."));
    EXPECT_EQ(settings.Folder, QString::fromStdString(missing.string()));

    // A directory that cannot be made (below a plain file, or no text at all) is refused.
    const std::string file = dir.Write("plain", ByteString{1});
    for (const QString& bad : {QString::fromStdString(file + "/sub"), QString()}) {
        prompter.shown.clear();
        prompter.answers = {TPromptAnswer::Yes};
        TExportSettings refused = Stored(TExportFormat::Bmp, TExportStyle::Numeric, "", bad, '_');
        RunDialog(refused, {}, [&](TBatchIconExport& d) {
            d.btnExport->click();
            EXPECT_TRUE(d.isVisible());
            EXPECT_FALSE(d.Panel1->isHidden());
            d.btnCancel->click();
        });
        ASSERT_EQ(prompter.shown.size(), 2u);
        EXPECT_EQ(prompter.shown[1].caption, QStringLiteral("Warning"));
        EXPECT_EQ(prompter.shown[1].text,
                  QStringLiteral("Unable to create the specified export directory."));
        EXPECT_EQ(refused.Format, TExportFormat::Bmp);
        EXPECT_EQ(refused.Folder, bad);
    }
}

TEST(BatchExportDialog, DesignedLayoutFitsItsTexts) {
    TExportSettings settings;
    TBatchIconExport d(settings, {}, {}, clWhite);
    EXPECT_EQ(d.font().pointSize(), 8);
    EXPECT_GE(d.width(), 401);
    EXPECT_GE(d.height(), 449);
    EXPECT_EQ(d.Label1->x(), 16);
    EXPECT_GE(d.Label1->height(), d.Label1->heightForWidth(d.Label1->width()));
    EXPECT_TRUE(d.btnExport->isDefault());
    EXPECT_FALSE(d.Panel1->isHidden());
    EXPECT_TRUE(d.Panel2->isHidden());
    EXPECT_EQ(d.Label9->text(), QStringLiteral("Exporting multiple icons..."));
    EXPECT_TRUE(d.Label9->font().bold());
    EXPECT_EQ(d.Label10->text(), QStringLiteral("Source filename:"));
    EXPECT_EQ(d.GroupBox1->title(), QStringLiteral("File Naming"));
    for (QWidget* w : std::initializer_list<QWidget*>{
             d.Label2, d.Label3, d.Label7, d.Label8, d.Label4, d.Label5, d.chkOption,
             d.chkSkipFiles, d.lbxFormat, d.lbxStyle, d.btnExport, d.btnCancel, d.Label9}) {
        EXPECT_GE(w->width(), w->sizeHint().width()) << w->objectName().toStdString();
    }
    EXPECT_GE(d.txtDirectory->x(), d.Label2->x() + d.Label2->width());
    EXPECT_GE(d.lbxStyle->x(), d.Label8->x() + d.Label8->width());
    EXPECT_GE(d.btnExport->y(), d.Panel1->y() + d.Panel1->height());
    EXPECT_EQ(d.btnCancel->x() + d.btnCancel->width(), d.width() - 16);
}
