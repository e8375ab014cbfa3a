#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <stdexcept>

#include "../ui/ScriptedPrompter.h"
#include "toolkit/ReportBox.h"

TEST(Prompter, CommandErrorsReachTheErrorBoxWithAPeriod) {
    ScriptedPrompter prompter;
    SetApplicationTitle(QStringLiteral("Marrowby 2 Pro"));
    RunCommand(nullptr, [] { throw std::runtime_error("Error Writing PNG File!"); });
    RunCommand(nullptr, [] { throw std::runtime_error("Disk full"); });
    RunCommand(nullptr, [] { throw std::runtime_error("Done."); });
    RunCommand(nullptr,
               [] { throw std::runtime_error("Error Opening File x! (Permission denied)"); });
    ASSERT_EQ(prompter.shown.size(), 4u);
    EXPECT_EQ(prompter.shown[0].caption, QStringLiteral("Marrowby 2 Pro"));
    EXPECT_EQ(prompter.shown[0].text, QStringLiteral("Error Writing PNG File!"));
    EXPECT_EQ(prompter.shown[1].text, QStringLiteral("Disk full."));
    EXPECT_EQ(prompter.shown[2].text, QStringLiteral("Done."));
    EXPECT_EQ(prompter.shown[3].text, QStringLiteral("Error Opening File x! (Permission denied)"));
    EXPECT_EQ(prompter.shown[0].buttons, TPromptButtons::Ok);
}

// The report of an export with 1,840 failures: the counts as its summary line, the failures in
// a list that scrolls, the box inside the screen; Escape and Enter each close it as OK.
TEST(Prompter, ALongReportFitsTheScreenAndClosesWithEscapeOrEnter) {
    QString text = QStringLiteral("0 files written, 0 skipped, 1840 failed.\r\n\r\nFailed:");
    for (int i = 1; i <= 1840; ++i)
        text += QStringLiteral("\r\nshell32_#%1_32x32x32.png: Read-only file system").arg(i);
    for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
        QRect shown;
        QRect screen;
        QString summary;
        int scrollRange = 0;
        QTimer::singleShot(0, [&] {
            auto* box = dynamic_cast<TReportBox*>(QApplication::activeModalWidget());
            if (!box) return;
            shown = box->frameGeometry();
            screen = box->screen()->availableGeometry();
            summary = box->Summary->text();
            scrollRange = box->Details->verticalScrollBar()->maximum();
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : box, key);
        });
        EXPECT_EQ(Prompter().Message(nullptr, QStringLiteral("Information"), text,
                                     TPromptButtons::OkOpenFolder),
                  TPromptAnswer::Ok);
        EXPECT_EQ(summary, QStringLiteral("0 files written, 0 skipped, 1840 failed."));
        EXPECT_TRUE(screen.contains(shown)) << shown.height() << " " << screen.height();
        EXPECT_GT(shown.height(), 200);
        EXPECT_GT(scrollRange, 1000);
    }
}
