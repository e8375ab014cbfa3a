#pragma once

#include <cstdint>
#include <memory>

#include "icons/LoadedIcon.h"

// Takes an image's width and height from its bitmap header when that holds a size from 1 to
// 256 pixels (the header counts colour and mask rows, so its height is doubled); returns
// whether it did. PNG-stored images and other sizes keep what they have.
bool TakeBitmapSize(TLoadedIconImage& Image, ByteView Data);

// An executable's icon image resource that no group names, as a loose image: named "#" and its
// id, marked IsLoose, its size, bit count and colour count from its own header. Data is what
// the file holds of the resource, or its head; Size the resource's size and Held how many of
// its bytes the file holds. Nothing unless the image is whole and 1 to 256 pixels a side.
std::unique_ptr<TLoadedIconImage> ReadLooseImage(ByteView Data, std::uint32_t Size,
                                                 std::uint64_t Held, std::uint16_t Id);
