#include "cli/HelpCommand.h"

#include <CLI/CLI.hpp>

#include <memory>

namespace {

// The usage of the tool with every command's options, or of the command named Topic.
std::string HelpText(const CLI::App& app, const std::string& topic) {
    if (topic.empty())
        return app.get_formatter()->make_help(&app, app.get_name(), CLI::AppFormatMode::All);
    try {
        return app.get_subcommand(topic)->help(app.get_name());
    } catch (const CLI::OptionNotFound&) {
        throw TUsageError("unknown command \"" + topic + "\"");
    }
}

}  // namespace

TCliCommand AddHelpCommand(CLI::App& app) {
    auto topic = std::make_shared<std::string>();
    CLI::App* command = app.add_subcommand("help", "Print the usage of the tool or of COMMAND");
    command->add_option("COMMAND", *topic, "The command to explain");
    return {command, [&app, topic](const TCliOutput& output) {
                output.Out << HelpText(app, *topic);
                return kExitOk;
            }};
}
