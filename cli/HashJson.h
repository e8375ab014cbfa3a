#pragma once

#include <string>

#include "cli/JsonWriter.h"
#include "hashes/GroupHash.h"
#include "icons/LoadedIcon.h"

// The keys --hash adds to a listing entry.

// "sha256": the whole file's digest, or null when it cannot be read.
void WriteFileHashJson(JsonWriter& json, const std::string& path);

// "md5": the digest of the image's stored bytes; null for an image the system drew.
void WriteImageHashJson(JsonWriter& json, const TLoadedIconImage& image);

// "groups": per icon or cursor group, in enumeration order, its "resourceName", "md5" (of the
// group written as a standalone icon file), "dhash" (of the image the choice takes, null where
// Pillow cannot open it) and "dhashImage" (the choice's name).
void WriteGroupHashesJson(JsonWriter& json, const TLoadedIcon& icon, TDhashImage choice);
