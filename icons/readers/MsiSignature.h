#pragma once

#include "icons/ByteSource.h"

// Whether the file is a Windows Installer database: an OLE compound file whose root entry
// carries the installer's class id {000C1084-0000-0000-C000-000000000046}. The root entry is the
// first entry of the first directory sector, which the header names, so this takes the header
// and one positioned read. Never throws.
bool IsMsiFile(TByteSource& File);
