#include "cli/ExportOptions.h"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <utility>

#include "cli/CliMain.h"

namespace {

// Picks the value of a word out of a fixed list of choices.
template <typename T>
T Choose(const std::string& option, const std::string& word,
         std::initializer_list<std::pair<const char*, T>> choices) {
    for (const auto& [name, value] : choices) {
        if (word == name) return value;
    }
    throw TUsageError("unknown " + option + " value \"" + word + "\"");
}

TColor ParseColour(const std::string& text) {
    bool hex = text.size() == 6 && std::all_of(text.begin(), text.end(), [](char c) {
                   return std::isxdigit(static_cast<unsigned char>(c)) != 0;
               });
    if (!hex) throw TUsageError("--background needs six hex digits RRGGBB, not \"" + text + "\"");
    unsigned long value = std::stoul(text, nullptr, 16);
    return {static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 8),
            static_cast<std::uint8_t>(value)};
}

// The warning's lines end with CR LF in a message box; on a terminal they end with LF.
std::string ParsePrefix(const std::string& prefix) {
    if (!PrefixHasForbiddenCharacter(prefix)) return prefix;
    std::string lines = kPrefixCharactersMessage;
    lines.erase(std::remove(lines.begin(), lines.end(), '\r'), lines.end());
    throw TUsageError(lines);
}

using TFilterFlag = bool TIconFilter::*;

TFilterFlag SizeFlag(const std::string& word) {
    return Choose<TFilterFlag>("--size", word,
                               {{"16", &TIconFilter::Show16x16},
                                {"32", &TIconFilter::Show32x32},
                                {"48", &TIconFilter::Show48x48},
                                {"other", &TIconFilter::ShowOtherSizes}});
}

TFilterFlag DepthFlag(const std::string& word) {
    return Choose<TFilterFlag>("--depth", word,
                               {{"1", &TIconFilter::ShowMonochrome},
                                {"4", &TIconFilter::Show16Color},
                                {"8", &TIconFilter::Show256Color},
                                {"24", &TIconFilter::Show24BitColor},
                                {"32", &TIconFilter::Show32BitColor}});
}

// The sizes and depths asked for; a kind none of whose flags was given keeps all of them.
TIconFilter BuildFilter(const std::vector<TFilterFlag>& sizes,
                        const std::vector<TFilterFlag>& depths) {
    TIconFilter filter;
    if (sizes.empty() && depths.empty()) return filter;
    filter.ShowAllIcons = false;
    auto keepOnly = [&](const std::vector<TFilterFlag>& chosen, std::vector<TFilterFlag> all) {
        if (chosen.empty()) return;
        for (TFilterFlag flag : all) filter.*flag = false;
        for (TFilterFlag flag : chosen) filter.*flag = true;
    };
    keepOnly(sizes, {&TIconFilter::Show16x16, &TIconFilter::Show32x32, &TIconFilter::Show48x48,
                     &TIconFilter::ShowOtherSizes});
    keepOnly(depths,
             {&TIconFilter::ShowMonochrome, &TIconFilter::Show16Color, &TIconFilter::Show256Color,
              &TIconFilter::Show24BitColor, &TIconFilter::Show32BitColor});
    return filter;
}

// Walks the arguments once, option by option.
class TExportArguments {
public:
    explicit TExportArguments(const std::vector<std::string>& args) : args_(args) {}

    TExportCommandOptions Parse() {
        TExportCommandOptions options;
        options.Export.Naming.Directory = std::string(1, '.');  // the current folder
        for (i_ = 0; i_ < args_.size(); ++i_) ParseOne(options);
        if (options.Export.MultiFormat && options.Export.Naming.Format != TExportFormat::Ico)
            throw TUsageError("--multi-format needs --format ico");
        if (options.Paths.empty()) throw TUsageError("no paths given");
        options.Filter = BuildFilter(sizes_, depths_);
        return options;
    }

private:
    const std::string& Value() {
        if (i_ + 1 == args_.size()) throw TUsageError(args_[i_] + " needs a value");
        return args_[++i_];
    }

    void ParseOne(TExportCommandOptions& options) {
        TExportNaming& naming = options.Export.Naming;
        const std::string& arg = args_[i_];
        if (arg == "-o" || arg == "--output") {
            naming.Directory = Value();
        } else if (arg == "--format") {
            naming.Format = Choose<TExportFormat>(arg, Value(),
                                                  {{"bmp", TExportFormat::Bmp},
                                                   {"ico", TExportFormat::Ico},
                                                   {"gif", TExportFormat::Gif},
                                                   {"png", TExportFormat::Png}});
        } else if (arg == "--multi-format") {
            options.Export.MultiFormat = true;
        } else if (arg == "--style") {
            naming.Style =
                Choose<TExportStyle>(arg, Value(),
                                     {{"numeric", TExportStyle::Numeric},
                                      {"resource", TExportStyle::Resource},
                                      {"file-resource", TExportStyle::FileResource},
                                      {"resource-size", TExportStyle::ResourceSize},
                                      {"file-resource-size", TExportStyle::FileResourceSize}});
        } else if (arg == "--separator") {
            naming.Separator = Choose<char>(arg, Value(),
                                            {{"underscore", kExportSeparators[0]},
                                             {"space", kExportSeparators[1]},
                                             {"hyphen", kExportSeparators[2]}});
        } else if (arg == "--prefix") {
            naming.Prefix = ParsePrefix(Value());
        } else if (arg == "--skip-existing") {
            naming.SkipExisting = true;
        } else if (arg == "--background") {
            options.Export.Background = ParseColour(Value());
        } else if (arg == "--size") {
            sizes_.push_back(SizeFlag(Value()));
        } else if (arg == "--depth") {
            depths_.push_back(DepthFlag(Value()));
        } else if (!ParseFileCollectionOption(args_, i_, options.Files)) {
            if (arg.size() > 1 && arg[0] == '-')
                throw TUsageError("unknown option \"" + arg + "\"");
            options.Paths.push_back(arg);
        }
    }

    const std::vector<std::string>& args_;
    std::size_t i_ = 0;
    std::vector<TFilterFlag> sizes_;
    std::vector<TFilterFlag> depths_;
};

}  // namespace

TExportCommandOptions ParseExportOptions(const std::vector<std::string>& args) {
    return TExportArguments(args).Parse();
}
