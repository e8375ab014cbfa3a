#pragma once

#include <memory>
#include <string>

#include "icons/ByteSource.h"
#include "icons/LoadOptions.h"
#include "icons/LoadedIcon.h"

class TDecodeBudget;

// Whether a file's first bytes are an icon or cursor directory's header: reserved word 0,
// type 1 (icon) or 2 (cursor), and at least one entry.
bool IsIconDirectoryHead(ByteView Head);

// Reads the image directory and images of icon-file layout data (an .ico or .cur file, or
// the icon chunk of an animated cursor) and appends them to Icon. A count of 0 is read as 1.
// A directory cut inside an entry keeps the entries before the cut and names the cut in
// Icon.Damage; images whose data runs past the end are kept damaged. Throws TReadError when
// not one entry is whole. An animated cursor reads all its frames against one budget.
void ReadIconDirectory(TLoadedIcon& Icon, ByteView Content, TDecodeBudget& Budget);
void ReadIconDirectory(TLoadedIcon& Icon, ByteView Content);

// Reads an .ico or .cur file, fetching only the directory and each image's bytes (only their
// heads with Options.HeadersOnly). Nothing when the file starts with no icon directory header
// and is no PNG stream; a file that is a PNG stream gives one PNG-stored image of the size its
// header chunk gives.
std::unique_ptr<TLoadedIcon> ReadIcoSource(TByteSource& File, const std::string& FileName,
                                           const TLoadOptions& Options = {});
std::unique_ptr<TLoadedIcon> ReadIcoFile(const std::string& FileName);
