#include "cli/CliMain.h"

#include <CLI/CLI.hpp>

#include <algorithm>

#include "cli/ExportCommand.h"
#include "cli/HelpCommand.h"
#include "cli/ListCommand.h"
#include "cli/SimilarCommand.h"
#include "cli/ThumbnailCommand.h"

namespace {

constexpr const char* kToolName = "marrowby2-cli";

// The parser with every command registered on it.
struct TCliParser {
    CLI::App App{
        "Lists and extracts the icons of Windows executables, icon libraries, icons, "
        "cursors and animated cursors.",
        kToolName};
    std::vector<TCliCommand> Commands;

    TCliParser() {
        // A repeated option keeps its last value, as `--opt a --opt b` does in most tools.
        App.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
        App.set_version_flag("--version", std::string(kToolName) + " " + MARROWBY_VERSION);
        App.require_subcommand(1);
        Commands.push_back(AddListCommand(App));
        Commands.push_back(AddExportCommand(App));
        Commands.push_back(AddThumbnailCommand(App));
        Commands.push_back(AddSimilarCommand(App));
        Commands.push_back(AddHelpCommand(App));
    }

    // The command the arguments chose, or nullptr before one was parsed.
    const TCliCommand* Chosen() const {
        for (const TCliCommand& command : Commands) {
            if (command.Command->parsed()) return &command;
        }
        return nullptr;
    }

    // The help text of the chosen command, or of the tool with every command's options.
    std::string Help() const {
        const TCliCommand* chosen = Chosen();
        return chosen ? chosen->Command->help(kToolName) : App.help("", CLI::AppFormatMode::All);
    }

    // One line naming what is wrong and where the usage is told.
    std::string UsageLine(const std::string& message) const {
        const TCliCommand* chosen = Chosen();
        std::string help = std::string(kToolName) + " " +
                           (chosen ? chosen->Command->get_name() + " " : std::string()) + "--help";
        return std::string(kToolName) + ": " + message + " (see '" + help + "')\n";
    }
};

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           bool ErrIsTerminal) {
    TCliParser parser;
    try {
        std::vector<std::string> reversed(args.rbegin(), args.rend());  // CLI11 takes them so
        parser.App.parse(reversed);
        return parser.Chosen()->Run({out, err, ErrIsTerminal});
    } catch (const CLI::CallForHelp&) {
        out << parser.Help();
        return kExitOk;
    } catch (const CLI::CallForVersion& version) {
        out << version.what() << "\n";
        return kExitOk;
    } catch (const CLI::ParseError& error) {
        err << parser.UsageLine(error.what());
        return kExitUsage;
    } catch (const TUsageError& error) {
        err << parser.UsageLine(error.what());
        return kExitUsage;
    }
}
