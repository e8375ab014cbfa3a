#include "cli/GroupOptions.h"

#include <CLI/CLI.hpp>

#include "cli/CliCommand.h"

void AddGroupOptions(CLI::App& command, TGroupFilter& groups) {
    command
        .add_option("--group", groups.Names,
                    "Read only the icon group NAME (\"#101\" for an id, or the name as listed; "
                    "any case); repeatable")
        ->type_name("NAME")
        ->allow_extra_args(false)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
        ->check(CLI::Validator(
            [](std::string& name) { return name.empty() ? "an empty group name" : std::string(); },
            ""));
    command.add_flag("--main-icon", groups.MainIcon,
                     "Read only the main icon: the first icon group, named groups before ids");
}

TGroupsFound::TGroupsFound(const TGroupFilter& groups)
    : names_(groups.Names), found_(groups.Names.size(), false) {}

void TGroupsFound::Saw(const TLoadedIcon& icon) {
    for (const auto& image : icon.Images) {
        for (std::size_t i = 0; i < names_.size(); ++i) {
            if (SameGroupName(names_[i], image->ResourceName)) found_[i] = true;
        }
    }
}

int TGroupsFound::ReportMissing(std::ostream& err) const {
    int code = kExitOk;
    for (std::size_t i = 0; i < names_.size(); ++i) {
        if (found_[i]) continue;
        err << "marrowby2-cli: group " << names_[i] << ": found in no file\n";
        code = kExitFailure;
    }
    return code;
}
