#include "cli/ExportHicolor.h"

#include "cli/GroupOptions.h"
#include "icons/LoadIcons.h"
#include "writers/ExportSummary.h"
#include "writers/HicolorExport.h"

namespace {

// The images of the icon's first group (the only one read when a group was chosen).
std::vector<TLoadedIconImage*> FirstGroup(const TLoadedIcon& icon) {
    if (icon.Images.empty()) return {};
    return GroupImagesOf(*icon.Images.front());
}

void PrintWritten(std::ostream& out, const THicolorFile& file) {
    out << file.Path << " (" << (file.Size.Scaled() ? "scaled down from " : "from ")
        << ExportImageText(*file.Size.Source) << ")\n";
}

}  // namespace

int RunHicolorExport(const TExportCommandOptions& Options, const TCliOutput& Output) {
    TLoadOptions load = Options.Files.Load;
    if (load.Groups.TakesAll()) load.Groups.MainIcon = true;
    const std::string& path = Options.Files.Paths.front();
    TLoadOutcome outcome = LoadIconsWithReason(path, load);
    if (!outcome.Icon) {
        Output.Err << "marrowby2-cli: " << path << ": " << outcome.Error << "\n";
        return kExitFailure;
    }
    TGroupsFound found(load.Groups);
    found.Saw(*outcome.Icon);
    if (found.ReportMissing(Output.Err) != kExitOk) return kExitFailure;
    const std::vector<THicolorSize> sizes = HicolorSizesOf(FirstGroup(*outcome.Icon));
    if (sizes.empty()) {
        Output.Err << "marrowby2-cli: " << path
                   << ": the icon has no sound square image of 16 pixels or more\n";
        return kExitFailure;
    }
    const std::string folder =
        Options.OutputGiven ? Options.Export.Naming.Directory : UserHicolorFolder();
    int code = kExitOk;
    bool written = false;
    for (const THicolorFile& file : InstallHicolorIcon(sizes, Options.Name, folder)) {
        if (file.Failure.empty()) {
            PrintWritten(Output.Out, file);
            written = true;
            continue;
        }
        Output.Out << std::flush;
        Output.Err << "marrowby2-cli: " << file.Path << ": " << file.Failure << "\n";
        code = kExitFailure;
    }
    if (written) Output.Out << "Icon=" << Options.Name << "\n";
    return code;
}
