#include "cli/CliMain.h"

#include "cli/ExportCommand.h"
#include "cli/ListCommand.h"

namespace {

constexpr const char* kUsage =
    "usage: marrowby2-cli list [--json] [-r] [--mask MASK] PATH...\n"
    "       marrowby2-cli export [options] [-r] [--mask MASK] PATH...\n"
    "  list   read every PATH and print the icon images found in it; a folder\n"
    "         stands for its files that match the mask\n"
    "         --json          print one JSON document instead of text lines\n"
    "         -r, --recursive list the files of every folder below a folder too\n"
    "         --mask MASK     \"*.*\" or extensions to take from folders (default\n"
    "                         "
    "\"*.ico;*.dll;*.ocx;*.icl;*.exe;*.cpl;*.bpl;*.scr;*.vbx;*.drv;*.cur;*.ani\")\n"
    "  export write the images of every PATH (read as by list) to files, one line\n"
    "         per file written\n"
    "         -o, --output DIR   folder to write to, created when missing (default .)\n"
    "         --format F         bmp, ico, gif or png (default png)\n"
    "         --multi-format     with --format ico: one file per icon holding all its\n"
    "                            images\n"
    "         --style S          numeric, resource, file-resource, resource-size or\n"
    "                            file-resource-size (default file-resource-size)\n"
    "         --separator S      underscore, space or hyphen (default underscore)\n"
    "         --prefix TEXT      put TEXT and the separator in front of every name\n"
    "         --skip-existing    write nothing where the file already exists\n"
    "         --background RRGGBB colour bmp, gif and png images are drawn over\n"
    "                            (default FFFFFF)\n"
    "         --size 16|32|48|other, --depth 1|4|8|24|32\n"
    "                            export only these sizes and colour depths; repeatable\n";

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    try {
        if (args.empty()) throw TUsageError("no command given");
        std::vector<std::string> rest(args.begin() + 1, args.end());
        if (args[0] == "list") return RunListCommand(rest, out);
        if (args[0] == "export") return RunExportCommand(rest, out, err);
        throw TUsageError("unknown command \"" + args[0] + "\"");
    } catch (const TUsageError& e) {
        err << "marrowby2-cli: " << e.what() << "\n" << kUsage;
        return kExitUsage;
    }
}
