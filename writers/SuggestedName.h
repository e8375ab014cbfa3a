#pragma once

#include <string>

#include "icons/LoadedIcon.h"

// The name, without folder and extension, that saving one image suggests: the source file's
// name, the resource name and the size joined by Separator, as the export names them, with an
// empty part left out: "shell32_#3_32x32", "icon_16x16". WithSize false leaves the size out,
// for a file that holds every format of the icon: "shell32_#3".
std::string SuggestedName(const TLoadedIconImage& Image, char Separator, bool WithSize);
