#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>

#include "CommandFixture.h"
#include "ui/dialogs/frmInstallIcon.h"

TEST_F(CommandFixture, InstallAsDesktopIconWritesTheThemeSizesUnderTheNameGiven) {
    const std::string data = (dir.Path() / "data").string();
    const QByteArray oldData = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(data));
    LoadIcon("src/My App!.ico", BuildIco({PictureEntry(16, 32), PictureEntry(48, 32)}));
    SetCaret(1);
    WhenShown<TInstallIcon>([&](TInstallIcon& d) {
        EXPECT_EQ(d.txtName->text(), QStringLiteral("my-app"));
        EXPECT_EQ(d.memSizes->toPlainText(),
                  QStringLiteral("16x16     from - 16x16 32 bpp\n"
                                 "22x22     scaled down from - 48x48 32 bpp\n"
                                 "24x24     scaled down from - 48x48 32 bpp\n"
                                 "32x32     scaled down from - 48x48 32 bpp\n"
                                 "36x36     scaled down from - 48x48 32 bpp\n"
                                 "48x48     from - 48x48 32 bpp"));
        d.txtName->setText(QString());
        EXPECT_FALSE(d.btnInstall->isEnabled());
        d.txtName->setText(QStringLiteral("myapp"));
        d.btnInstall->click();
    });
    main->findChild<QMenu*>(QStringLiteral("ViewerPopupMenu"))
        ->findChild<QAction*>(QStringLiteral("popInstallasDesktopIcon"))
        ->trigger();
    oldData.isNull() ? qunsetenv("XDG_DATA_HOME") : qputenv("XDG_DATA_HOME", oldData);

    const std::string theme = data + "/icons/hicolor";
    for (int size : {16, 22, 24, 32, 36, 48}) {
        const std::string pixels = std::to_string(size) + "x" + std::to_string(size);
        EXPECT_EQ(QImage(QString::fromStdString(theme + "/" + pixels + "/apps/myapp.png")).width(),
                  size);
    }
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].caption, QStringLiteral("Information"));
    EXPECT_EQ(prompter.shown[0].text,
              QStringLiteral("6 of 6 sizes written to %1.\r\nDesktop entries name it Icon=myapp")
                  .arg(QString::fromStdString(theme)));
}
