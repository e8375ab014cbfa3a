#pragma once

#include <optional>

#include "icons/IconGroups.h"

// The one-image icon file CAPE's sandbox hashes for an icon group (its parse_pe.get_icon_info):
// the group's entries are walked in order, and an entry replaces the chosen one when its raw
// width byte, raw height byte and bit count are each at least the chosen one's (starting from
// 0, 0, 0), so a 256-pixel entry, stored with width 0, seldom wins. The file is the header
// 0, 1, 1; the chosen entry's 12 stored bytes (its BytesInRes included); the offset 22; then the
// image's stored bytes. Nothing for a group without images.
std::optional<ByteString> CapeIconFileBytes(const TIconGroup& Group);
