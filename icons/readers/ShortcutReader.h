#pragma once

#include <memory>
#include <string>

#include "icons/ByteSource.h"
#include "icons/LoadOptions.h"
#include "icons/LoadedIcon.h"

// Whether the file is a shortcut (.lnk or .url) by its content; reads at most its first
// kInternetShortcutHead bytes, and only 512 of a file that is not text. Never throws.
bool IsShortcutFile(TByteSource& File);

// Reads the icon group a shortcut stands for: the file it names is found (see MapWindowsPath)
// and read as any source is, and of its icon groups the one the index names is kept. The
// result is named after the shortcut and its Source says where the group was read. A shortcut
// that names another shortcut is followed once, no further. Throws TReadError saying why no
// group was found: the shortcut's own reason, the path looked for, the target's reason, or an
// index the target has no group for. The group chosen is the shortcut's main icon, so the
// load's group filter applies to it as such.
std::unique_ptr<TLoadedIcon> ReadShortcutFile(const std::string& FileName,
                                              const TLoadOptions& Options = {});
