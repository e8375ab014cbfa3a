#pragma once

#include <memory>
#include <string>

#include "icons/LoadedIcon.h"

class TDecodeBudget;

// Reads the image directory and images of icon-file layout data (an .ico or .cur file, or
// the icon chunk of an animated cursor) and appends them to Icon. A directory cut inside an
// entry keeps the entries before the cut and names the cut in Icon.Damage; images whose data
// runs past the end are kept damaged. Throws TReadError when not one entry is whole. An
// animated cursor reads all its frames against one budget.
void ReadIconDirectory(TLoadedIcon& Icon, ByteView Content, TDecodeBudget& Budget);
void ReadIconDirectory(TLoadedIcon& Icon, ByteView Content);

// Reads an .ico or .cur file. An empty file gives an icon without images; a file that is a
// PNG stream gives one PNG-stored image of the size its header chunk gives.
std::unique_ptr<TLoadedIcon> ReadIcoFile(const std::string& FileName);
