#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>

#include "TempDir.h"
#include "ui/main/HelpAndWeb.h"
#include "ui/main/HelpWindow.h"

namespace {

ByteString Text(std::string_view text) {
    return ByteString(text.begin(), text.end());
}

void Touch(const QString& path) {
    QDir().mkpath(QFileInfo(path).path());
    QFile(path).open(QIODevice::WriteOnly);
}

TEST(HelpAndWeb, HelpManualBesideTheProgramOrWhereTheInstallationPutsIt) {
    TempDir dir;
    const QString root = QString::fromStdString(dir.Path().string());
    const QString bin = root + QStringLiteral("/bin");
    const QString beside = bin + QStringLiteral("/marrowby2.html");
    const QString installed = root + QStringLiteral("/share/doc/marrowby2/marrowby2.html");
    QDir().mkpath(bin);
    EXPECT_EQ(HelpFilePath(bin), beside);  // neither: the path beside the program
    Touch(installed);
    EXPECT_EQ(HelpFilePath(bin), installed);
    Touch(beside);
    EXPECT_EQ(HelpFilePath(bin), beside);
    EXPECT_EQ(HelpFilePath(bin + QStringLiteral("/")), beside);
}

// The manual opens in the program's own window, whatever the desktop offers: its caption is
// the page's title, a click on a link follows it, and Back returns to where the reader was.
TEST(HelpAndWeb, HelpWindowShowsTheManualFollowsItsLinksAndGoesBack) {
    TempDir dir;
    const std::string manual = dir.Write(
        "marrowby2.html", Text("<html><head><title>Test Manual</title></head><body>"
                               "<p><a href=\"keys.html\">Keyboard</a></p></body></html>"));
    dir.Write("keys.html", Text("<html><head><title>Keys</title></head>"
                                "<body><p>F1 opens this manual.</p></body></html>"));
    QWidget owner;
    ShowHelpWindow(&owner, QString::fromStdString(manual));
    auto* help = owner.findChild<THelpWindow*>();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_TRUE(help->isWindow());
    EXPECT_EQ(help->windowTitle(), QStringLiteral("Test Manual"));
    EXPECT_FALSE(help->btnBack->isEnabled());

    QTextCursor link = help->Browser->document()->find(QStringLiteral("Keyboard"));
    ASSERT_FALSE(link.isNull());
    link.setPosition(link.selectionStart() + 1);
    const QPoint at = help->Browser->cursorRect(link).center();
    QTest::mouseClick(help->Browser->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(help->windowTitle(), QStringLiteral("Keys"));
    EXPECT_TRUE(help->Browser->toPlainText().contains(QStringLiteral("F1 opens this manual.")));
    ASSERT_TRUE(help->btnBack->isEnabled());

    help->btnBack->click();
    EXPECT_EQ(help->windowTitle(), QStringLiteral("Test Manual"));
    EXPECT_TRUE(help->btnForward->isEnabled());
    help->btnForward->click();
    EXPECT_EQ(help->windowTitle(), QStringLiteral("Keys"));

    // The window is kept and shown again rather than opened twice; a manual that cannot be
    // read is named in the error.
    ShowHelpWindow(&owner, QStringLiteral("/nowhere/marrowby2.html"));
    EXPECT_EQ(owner.findChildren<THelpWindow*>().size(), 1);
    QWidget other;
    EXPECT_THROW(
        {
            try {
                ShowHelpWindow(&other, QStringLiteral("/nowhere/marrowby2.html"));
            } catch (const std::runtime_error& error) {
                EXPECT_STREQ(error.what(), "Unable to open /nowhere/marrowby2.html.");
                throw;
            }
        },
        std::runtime_error);
}

}  // namespace
