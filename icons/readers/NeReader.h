#pragma once

#include <memory>
#include <string>

#include "icons/ByteSource.h"
#include "icons/GroupFilter.h"
#include "icons/LoadedIcon.h"

// Reads the icons of a 16-bit Windows executable (New Executable format) or of an icon
// library (.icl, an NE file holding only icon resources). Always an icon, without images when
// the file has no NE header; throws TReadError when the resource table runs off the file. A
// group the file ends inside keeps its whole entries and names the cut in the icon's Damage;
// an image whose resource is missing or cut short is kept damaged.
// FileName only names the result. Only the images of the groups Groups takes are read; the
// icon's ImageCount still counts every group entry.
// When groups were lost (and all are taken), each whole icon image no group names is kept as a
// loose image, as the 32-bit reader keeps them. The file's ranges are fetched as they are
// parsed.
std::unique_ptr<TLoadedIcon> ReadNeSource(TByteSource& File, const std::string& FileName,
                                          const TGroupFilter& Groups = {});
std::unique_ptr<TLoadedIcon> ReadNeData(ByteView File, const std::string& FileName,
                                        const TGroupFilter& Groups = {});
