#pragma once

#include "icons/ByteReader.h"
#include "icons/readers/ShortcutIcon.h"

// How far into a file the [InternetShortcut] section is looked for.
inline constexpr std::size_t kInternetShortcutHead = 64 * 1024;

// Whether an [InternetShortcut] section header, in any case, lies within the first
// kInternetShortcutHead bytes (files often start with a [DEFAULT] section).
bool IsInternetShortcut(ByteView Head);

// The IconFile and IconIndex of the [InternetShortcut] section; key and section names are
// matched ignoring case. Throws TReadError when the section has no IconFile.
TShortcutIcon ReadInternetShortcut(ByteView Text);
