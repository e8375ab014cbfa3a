#include <gtest/gtest.h>

#include <stdexcept>

#include "../ui/ScriptedPrompter.h"

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
