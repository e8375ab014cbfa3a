#pragma once

#include <cstddef>

#include "icons/GroupFilter.h"

// What a listing reads of an image: a cursor's 4-byte hot spot, the bitmap header and the
// largest palette; a PNG stream's header chunk lies well within it.
inline constexpr std::size_t kImageHeadSize = 4 + 40 + 256 * 4;

// What a load reads beyond the icons that every load reads.
struct TLoadOptions {
    // Also read the cursor groups of executables, after their icon groups.
    bool IncludeCursors = false;
    // Read only the icon that stands for the file: an executable's first group (the one its
    // file icon shows), an animated cursor's first frame. Thumbnails need no more.
    bool FileIconOnly = false;
    // The groups read; the images of the others are never read. A file holding none of them
    // gives an icon without images.
    TGroupFilter Groups{};
    // Read only the first bytes of an executable's images (hot spot, header and palette, or a
    // PNG stream's header chunk): enough to list them, not to draw or write them, so a listing
    // reads no more of a library than its headers, directories and image heads.
    bool HeadersOnly = false;
};
