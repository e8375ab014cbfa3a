#include "cli/CliMain.h"

#include "cli/ListCommand.h"

namespace {

constexpr const char* kUsage =
    "usage: marrowby2-cli list [--json] [-r] [--mask MASK] PATH...\n"
    "  list   read every PATH and print the icon images found in it; a folder\n"
    "         stands for its files that match the mask\n"
    "         --json          print one JSON document instead of text lines\n"
    "         -r, --recursive list the files of every folder below a folder too\n"
    "         --mask MASK     \"*.*\" or extensions to take from folders (default\n"
    "                         \"*.ico;*.dll;*.ocx;*.icl;*.exe;*.cpl;*.bpl;*.scr;*.vbx;*.drv;*.cur;*.ani\")\n";

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    try {
        if (args.empty()) throw TUsageError("no command given");
        std::vector<std::string> rest(args.begin() + 1, args.end());
        if (args[0] == "list") return RunListCommand(rest, out);
        throw TUsageError("unknown command \"" + args[0] + "\"");
    } catch (const TUsageError& e) {
        err << "marrowby2-cli: " << e.what() << "\n" << kUsage;
        return kExitUsage;
    }
}
