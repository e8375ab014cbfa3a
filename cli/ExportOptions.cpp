#include "cli/ExportOptions.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cctype>
#include <utility>

#include "cli/CliCommand.h"
#include "cli/GroupOptions.h"
#include "writers/HicolorSizes.h"

namespace {

// The words an option takes, each with the value it stands for.
template <typename T>
using TChoices = std::vector<std::pair<std::string, T>>;

template <typename T>
std::vector<std::string> Words(const TChoices<T>& choices) {
    std::vector<std::string> words;
    for (const auto& choice : choices) words.push_back(choice.first);
    return words;
}

// The value of a word the parser has already checked against the choices.
template <typename T>
T ValueOf(const TChoices<T>& choices, const std::string& word) {
    return std::find_if(choices.begin(), choices.end(),
                        [&](const auto& choice) { return choice.first == word; })
        ->second;
}

// An option taking one of the choices' words into Target; its current value is the default.
template <typename T>
void AddChoice(CLI::App& command, const std::string& name, T& target, const TChoices<T>& choices,
               const std::string& description) {
    auto chosen = std::find_if(choices.begin(), choices.end(),
                               [&](const auto& choice) { return choice.second == target; });
    command
        .add_option_function<std::string>(
            name, [&target, &choices](const std::string& word) { target = ValueOf(choices, word); },
            description)
        ->check(CLI::IsMember(Words(choices)))
        ->default_str(chosen->first);
}

using TFilterFlag = bool TIconFilter::*;

const TChoices<TExportFormat> kFormats{{"bmp", TExportFormat::Bmp},
                                       {"ico", TExportFormat::Ico},
                                       {"gif", TExportFormat::Gif},
                                       {"png", TExportFormat::Png},
                                       {"icns", TExportFormat::Icns}};
const TChoices<TExportStyle> kStyles{
    {"numeric", TExportStyle::Numeric},
    {"resource", TExportStyle::Resource},
    {"file-resource", TExportStyle::FileResource},
    {"resource-size", TExportStyle::ResourceSize},
    {"file-resource-size", TExportStyle::FileResourceSize},
    {"file-resource-size-depth", TExportStyle::FileResourceSizeDepth}};
const TChoices<char> kSeparators{{"underscore", kExportSeparators[0]},
                                 {"space", kExportSeparators[1]},
                                 {"hyphen", kExportSeparators[2]}};
const TChoices<TFilterFlag> kSizes{{"16", &TIconFilter::Show16x16},
                                   {"32", &TIconFilter::Show32x32},
                                   {"48", &TIconFilter::Show48x48},
                                   {"other", &TIconFilter::ShowOtherSizes}};
const TChoices<TFilterFlag> kDepths{{"1", &TIconFilter::ShowMonochrome},
                                    {"4", &TIconFilter::Show16Color},
                                    {"8", &TIconFilter::Show256Color},
                                    {"24", &TIconFilter::Show24BitColor},
                                    {"32", &TIconFilter::Show32BitColor}};

bool IsColour(const std::string& text) {
    return text.size() == 6 && std::all_of(text.begin(), text.end(), [](char c) {
               return std::isxdigit(static_cast<unsigned char>(c)) != 0;
           });
}

TColor ParseColour(const std::string& text) {
    unsigned long value = std::stoul(text, nullptr, 16);
    return {static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 8),
            static_cast<std::uint8_t>(value)};
}

// The warning's lines end with CR LF in a message box; on a terminal they end with LF.
std::string PrefixWarning() {
    std::string lines = kPrefixCharactersMessage;
    lines.erase(std::remove(lines.begin(), lines.end(), '\r'), lines.end());
    return lines;
}

// The sizes and depths asked for; a kind none of whose words was given keeps all of them.
TIconFilter BuildFilter(const std::vector<std::string>& sizes,
                        const std::vector<std::string>& depths) {
    TIconFilter filter;
    if (sizes.empty() && depths.empty()) return filter;
    filter.ShowAllIcons = false;
    auto keepOnly = [&](const std::vector<std::string>& chosen, const TChoices<TFilterFlag>& all) {
        if (chosen.empty()) return;
        for (const auto& choice : all) filter.*choice.second = false;
        for (const std::string& word : chosen) filter.*ValueOf(all, word) = true;
    };
    keepOnly(sizes, kSizes);
    keepOnly(depths, kDepths);
    return filter;
}

// A repeatable option that takes one word of the choices each time it is given.
void AddRepeatedChoice(CLI::App& command, const std::string& name, std::vector<std::string>& words,
                       const std::vector<std::string>& choices, const std::string& description) {
    command.add_option(name, words, description)
        ->check(CLI::IsMember(choices))
        ->allow_extra_args(false)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
}

// --hicolor installs one group of one file under a name.
void CheckHicolor(const TExportCommandOptions& options) {
    if (options.Name.empty()) throw TUsageError("--hicolor needs --name NAME");
    const TFileCollection& files = options.Files;
    if (files.Paths.size() != 1 || !files.FilesFrom.empty())
        throw TUsageError("--hicolor takes exactly one FILE");
    if (files.Load.Groups.Names.size() > 1) throw TUsageError("--hicolor takes one --group");
}

}  // namespace

TExportCommandLine::TExportCommandLine(CLI::App& command) {
    TExportNaming& naming = options_.Export.Naming;
    naming.Directory = std::string(1, '.');  // the current folder
    output_ = command
                  .add_option("-o,--output", naming.Directory,
                              "Folder to write to, created when missing (with --hicolor: the "
                              "theme folder, by default $XDG_DATA_HOME/icons/hicolor)")
                  ->capture_default_str();
    AddChoice(command, "--format", naming.Format, kFormats, "The image format of the files");
    command.add_flag("--multi-format", options_.Export.MultiFormat,
                     "With --format ico or icns: one file per icon holding all its images");
    AddChoice(command, "--style", naming.Style, kStyles, "How the files are named");
    AddChoice(command, "--separator", naming.Separator, kSeparators,
              "What stands between the parts of a name");
    command
        .add_option("--prefix", naming.Prefix, "Put TEXT and the separator in front of every name")
        ->check(CLI::Validator(
            [](std::string& prefix) {
                return PrefixHasForbiddenCharacter(prefix) ? PrefixWarning() : std::string();
            },
            ""));
    command.add_flag("--skip-existing", naming.SkipExisting,
                     "Write nothing where the file already exists");
    command
        .add_option_function<std::string>(
            "--background",
            [this](const std::string& text) { options_.Export.Background = ParseColour(text); },
            "The colour bmp, gif and png images are drawn over")
        ->check(CLI::Validator(
            [](std::string& text) {
                return IsColour(text) ? std::string()
                                      : "needs six hex digits RRGGBB, not \"" + text + "\"";
            },
            ""))
        ->type_name("RRGGBB")
        ->default_str("FFFFFF");
    AddRepeatedChoice(command, "--size", sizes_, Words(kSizes),
                      "Export only images of these sizes; repeatable");
    AddRepeatedChoice(command, "--depth", depths_, Words(kDepths),
                      "Export only images of these colour depths; repeatable");
    command.add_flag("--unique", options_.Unique,
                     "Write each distinct image (with --multi-format, each distinct icon) once, "
                     "the first met");
    command.add_flag("--jsonl", options_.Jsonl,
                     "Print one JSON line per file written or not written, with its source, "
                     "output and MD5; the summary goes to stderr");
    command.add_flag("--hicolor", options_.Hicolor,
                     "Install FILE's main icon (or the --group) as --name in a hicolor icon "
                     "theme: NxN/apps/NAME.png for each size the theme lists from 16 to 256");
    command.add_option("--name", options_.Name, "With --hicolor: the icon's name")
        ->check(CLI::Validator(
            [](std::string& name) {
                return IsHicolorName(name) ? std::string()
                                           : "takes letters, digits, \".\", \"-\" and \"_\"";
            },
            ""));
    AddGroupOptions(command, options_.Files.Load.Groups);
    AddFileCollectionOptions(command, options_.Files);
}

TExportCommandOptions TExportCommandLine::Options() const {
    if (options_.Export.MultiFormat && !HoldsManyImages(options_.Export.Naming.Format))
        throw TUsageError("--multi-format needs --format ico or icns");
    if (options_.Hicolor) CheckHicolor(options_);
    if (!options_.Hicolor && !options_.Name.empty()) throw TUsageError("--name needs --hicolor");
    TExportCommandOptions options = options_;
    options.Filter = BuildFilter(sizes_, depths_);
    options.OutputGiven = output_->count() > 0;
    return options;
}
