#pragma once

#include <memory>
#include <string>

#include "icons/ByteSource.h"
#include "icons/LoadOptions.h"
#include "icons/LoadedIcon.h"

// Reads every icon group of a 32-bit or 64-bit Windows executable or library: the formats of
// the first group in entry order, then those of the second, each image named after its group.
// With Options.IncludeCursors the cursor groups follow, their images marked IsCursor and
// named "Cursor " and the group's name.
// Data that is not a PE image is read as a 16-bit executable or icon library instead. A group
// cut short keeps its whole entries and names the cut in the icon's Damage; an image whose
// resource is missing or cut short is kept damaged. Nothing when the file holds no icon image;
// throws TReadError when the headers or the resource directory are cut short or broken, or
// when entries were lost and none is left.
// When icon groups were lost, each whole icon image that no group left names is kept as a
// loose image named "#N" after its resource id, marked IsLoose (when every group is read, and
// not for the file icon alone).
std::unique_ptr<TLoadedIcon> ReadPeFile(const std::string& FileName,
                                        const TLoadOptions& Options = {});

// The same on a file already opened, fetching only the ranges it parses.
std::unique_ptr<TLoadedIcon> ReadPeSource(TByteSource& File, const std::string& FileName,
                                          const TLoadOptions& Options = {});

// The same on the file's bytes; FileName only names the result.
std::unique_ptr<TLoadedIcon> ReadPeData(ByteView File, const std::string& FileName,
                                        const TLoadOptions& Options = {});
