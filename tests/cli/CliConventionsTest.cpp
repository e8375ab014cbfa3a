#include <gtest/gtest.h>

#include <sstream>

#include "IcoBuilder.h"
#include "TempDir.h"
#include "cli/CliMain.h"

namespace {

struct CliRun {
    int code;
    std::string out;
    std::string err;
};

CliRun Cli(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    int code = RunCli(args, out, err);
    return {code, out.str(), err.str()};
}

int LineCount(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

}  // namespace

TEST(CliConventions, HelpVersionUnknownOptionsAndEqualsValues) {
    // Every way of asking for help prints on stdout and succeeds; the tool's help names every
    // command's options.
    for (const auto& args : std::vector<std::vector<std::string>>{{"-h"},
                                                                  {"--help"},
                                                                  {"help"},
                                                                  {"help", "export"},
                                                                  {"export", "--help"},
                                                                  {"list", "-h"}}) {
        CliRun run = Cli(args);
        EXPECT_EQ(run.code, 0) << args.back();
        EXPECT_TRUE(run.err.empty()) << args.back();
        EXPECT_NE(run.out.find("Usage: marrowby2-cli"), std::string::npos) << args.back();
    }
    EXPECT_NE(Cli({"--help"}).out.find("--skip-existing"), std::string::npos);
    EXPECT_NE(Cli({"help"}).out.find("--json"), std::string::npos);
    EXPECT_EQ(Cli({"list", "--help"}).out.find("--skip-existing"), std::string::npos);

    CliRun version = Cli({"--version"});
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.out.rfind("marrowby2-cli ", 0), 0u);
    EXPECT_EQ(LineCount(version.out), 1);

    // An unknown option: one line naming it and pointing to the help, nothing on stdout.
    CliRun unknown = Cli({"export", "--frobnicate", "x.ico"});
    EXPECT_EQ(unknown.code, 2);
    EXPECT_TRUE(unknown.out.empty());
    EXPECT_EQ(LineCount(unknown.err), 1);
    EXPECT_NE(unknown.err.find("--frobnicate"), std::string::npos);
    EXPECT_NE(unknown.err.find("--help"), std::string::npos);

    // --opt=value is read as --opt value.
    TempDir dir;
    std::string icon = dir.Write("one.ico", BuildIco({EntryFor({16, 16, 4, 1, 0, true})}));
    std::string out = (dir.Path() / "out").string();
    CliRun equals =
        Cli({"export", "--output=" + out, "--format=ico", "--style=numeric", "--size=16", icon});
    EXPECT_EQ(equals.code, 0) << equals.err;
    EXPECT_EQ(equals.out, out + "/1.ico\n1 file written, 0 skipped\n");
}
