#include "cli/ThumbnailCommand.h"

#include <CLI/CLI.hpp>

#include <exception>
#include <memory>

#include "cli/FileCollection.h"
#include "cli/GroupOptions.h"
#include "cli/PrintableText.h"
#include "icons/LoadIcons.h"
#include "writers/Thumbnail.h"

namespace {

struct TThumbnailOptions {
    std::string Input;
    std::string Output;
    int Size = 256;
    TLoadOptions Load;
};

// Why the icon gives no thumbnail: what a listing says of the file, or of its first image
// when every image is damaged.
std::string NoThumbnailReason(const TLoadOutcome& outcome) {
    if (!outcome.Icon) return outcome.Error;
    for (const auto& image : outcome.Icon->Images) {
        if (!image->Damage().empty()) return "damaged: " + image->Damage();
    }
    return "no icon";
}

int RunThumbnail(const TThumbnailOptions& options, std::ostream& err) {
    TLoadOptions load = options.Load;
    load.FileIconOnly = true;
    TLoadOutcome outcome = LoadIconsWithReason(options.Input, load);
    TLoadedIconImage* image =
        outcome.Icon ? ChooseThumbnailImage(*outcome.Icon, options.Size) : nullptr;
    TGroupsFound groups(load.Groups);
    if (outcome.Icon) groups.Saw(*outcome.Icon);
    if (groups.ReportMissing(err) != kExitOk) return kExitFailure;
    if (!image) {
        err << "marrowby2-cli: " << Printable(options.Input) << ": "
            << Printable(NoThumbnailReason(outcome)) << "\n";
        return kExitFailure;
    }
    try {
        SaveThumbnail(*image, options.Size, options.Output);
    } catch (const std::exception& error) {
        err << "marrowby2-cli: " << Printable(error.what()) << "\n";
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
