#pragma once

#include "cli/CliCommand.h"
#include "cli/ExportOptions.h"

// `export --hicolor`: installs one icon group of the one FILE as the icon --name in a hicolor
// theme folder, printing each file written with the image it came from, then "Icon=NAME" for a
// desktop entry. Returns the exit code.
int RunHicolorExport(const TExportCommandOptions& Options, const TCliOutput& Output);
