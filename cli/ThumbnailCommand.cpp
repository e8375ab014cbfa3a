#include "cli/ThumbnailCommand.h"

#include <CLI/CLI.hpp>

#include <exception>
#include <memory>

#include "cli/FileCollection.h"
#include "cli/GroupOptions.h"
#include "icons/LoadIcons.h"
#include "writers/Thumbnail.h"

namespace {

struct TThumbnailOptions {
    std::string Input;
    std::string Output;
    int Size = 256;
    TLoadOptions Load;
};

int RunThumbnail(const TThumbnailOptions& options, std::ostream& err) {
    TLoadOptions load = options.Load;
    load.FileIconOnly = true;
    std::unique_ptr<TLoadedIcon> icon = LoadIconsFromFile(options.Input, load);
    TLoadedIconImage* image = icon ? ChooseThumbnailImage(*icon, options.Size) : nullptr;
    TGroupsFound groups(load.Groups);
    if (icon) groups.Saw(*icon);
    if (groups.ReportMissing(err) != kExitOk) return kExitFailure;
    if (!image) {
        err << "marrowby2-cli: " << options.Input << ": no icon\n";
        return kExitFailure;
    }
    try {
        SaveThumbnail(*image, options.Size, options.Output);
    } catch (const std::exception& error) {
        err << "marrowby2-cli: " << error.what() << "\n";
        return kExitFailure;
    }
    return kExitOk;
}

}  // namespace

TCliCommand AddThumbnailCommand(CLI::App& app) {
    auto options = std::make_shared<TThumbnailOptions>();
    CLI::App* command = app.add_subcommand(
        "thumbnail",
        "Write INPUT's own icon as a PNG of at most SIZE pixels, as file managers show it");
    command->add_option("-s,--size", options->Size, "Largest width and height in pixels")
        ->check(CLI::Range(1, 65536))
        ->capture_default_str();
    AddCursorsFlag(*command, options->Load);
    AddGroupOptions(*command, options->Load.Groups);
    command->add_option("INPUT", options->Input, "The file to take the icon from")->required();
    command->add_option("OUTPUT", options->Output, "The PNG file to write")->required();
    return {command,
            [options](const TCliOutput& output) { return RunThumbnail(*options, output.Err); }};
}
