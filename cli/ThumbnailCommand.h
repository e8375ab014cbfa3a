#pragma once

#include "cli/CliCommand.h"

// `thumbnail [-s SIZE] [--cursors] INPUT OUTPUT.png`: writes the file's own icon (an
// executable's first icon, an icon or cursor file, an animated cursor's first frame) as a PNG
// of at most SIZE pixels, for file managers. It reads only INPUT and writes only OUTPUT: no
// settings, home folder or display. A file without an icon exits 1 and writes nothing.
TCliCommand AddThumbnailCommand(CLI::App& app);
