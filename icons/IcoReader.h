#pragma once

#include <memory>
#include <string>

#include "icons/LoadedIcon.h"

class TDecodeBudget;

// Reads the image directory and images of icon-file layout data (an .ico or .cur file, or
// the icon chunk of an animated cursor) and appends them to Icon. Throws TReadError on short
// data. An animated cursor reads all its frames against one budget.
void ReadIconDirectory(TLoadedIcon& Icon, ByteView Content, TDecodeBudget& Budget);
void ReadIconDirectory(TLoadedIcon& Icon, ByteView Content);

// Reads an .ico or .cur file. An empty file gives an icon without images.
std::unique_ptr<TLoadedIcon> ReadIcoFile(const std::string& FileName);
