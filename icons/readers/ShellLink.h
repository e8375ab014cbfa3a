#pragma once

#include "icons/ByteReader.h"
#include "icons/readers/ShortcutIcon.h"

// Whether the bytes start a Shell Link (.lnk): header size 0x4C and the class id
// {00021401-0000-0000-C000-000000000046}.
bool IsShellLink(ByteView Head);

// The icon a Shell Link names. With HasExpIcon, the icon environment block's path is tried
// first; then the icon location string, or without one the link's target: the link info's
// local base path and common path suffix (their Unicode forms when present), else the
// environment variable block's target, else the relative path. The index is the header's signed
// IconIndex. Throws TReadError when a structure runs past the end, and when the target is given
// only as an ID list, which is not read.
TShortcutIcon ReadShellLink(ByteView Link);
