#pragma once

#include "icons/IconGroups.h"

// A group written as a standalone icon file, the way resource extractors write an icon group:
// the group's own 6-byte header; per image the first 12 bytes of its group entry as stored,
// then the 4-byte offset of its data in this file; then each image's stored bytes in entry
// order, nothing after.
ByteString GroupFileBytes(const TIconGroup& Group);
