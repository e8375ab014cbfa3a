#pragma once

#include <memory>
#include <string>

#include "icons/LoadOptions.h"
#include "icons/LoadedIcon.h"

class TDecodeBudget;

// Reads an animated cursor (a RIFF file of form ACON): every image format of every frame of
// its "fram" list, frame after frame. Nothing when the file is not an animated cursor, its
// frames are raw bitmaps, or it has no frame list. A frame list cut short keeps the frames
// before the cut and names it in the icon's Damage; throws TReadError when chunk headers are
// cut short or no frame is left. The icon's Animation keeps the header's rate, the "rate" and
// "seq " chunks and where each frame's images start; each frame image keeps its hot spot.
// With Options.FileIconOnly only the first frame of the list is read.
std::unique_ptr<TLoadedIcon> ReadAniFile(const std::string& FileName,
                                         const TLoadOptions& Options = {});

// The same on the file's bytes; FileName only names the result.
std::unique_ptr<TLoadedIcon> ReadAniData(ByteView Content, const std::string& FileName,
                                         const TLoadOptions& Options = {});

// Appends the images of one frame, an "icon" chunk in icon-file layout, to Icon.
void ReadAniIconChunk(ByteView Chunk, TLoadedIcon& Icon, TDecodeBudget& Budget);
