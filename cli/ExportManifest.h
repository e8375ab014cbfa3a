#pragma once

#include <cstddef>
#include <optional>
#include <ostream>
#include <string>

// One file an export wrote, or would have written, as the manifest tells it.
struct TManifestEntry {
    std::string Source;  // the file the image was read from
    // Its group, empty for icon and cursor files, and its place among the source's images (the
    // first, for an icon); nothing for a source that could not be read.
    std::optional<std::string> ResourceName;
    std::optional<std::size_t> ImageIndex;
    std::optional<std::string> Output;  // the file written; nothing when none was
    std::string Md5;                    // of the file written
    std::string Reason;                 // why nothing was written
};

// Prints the entry as one JSON line: "path", "resourceName", "imageIndex" (null when not
// known), then "output" and "md5" of the file written, or "output": null and the "reason".
void PrintManifestLine(std::ostream& out, const TManifestEntry& entry);
