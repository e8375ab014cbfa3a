#pragma once

#include <string>
#include <vector>

#include "icons/LoadedIcon.h"
#include "writers/OutputFile.h"

// Writes the images, in list order, into one Windows icon file that takes the target's name
// once it is fully written (see TOutputTarget). Each image is written back from its stored rows
// (palette, colour rows, mask rows) behind a fresh header, or as its original PNG stream when it
// was stored as one. Images without pixel data (shell icons) and damaged images are left out; when
// none is left, TWriteError is raised and nothing on disk is touched. Sets each written image's
// EntryPos to the position of its size and offset fields in the file. Raises TWriteError "Error
// Opening File <name>!" when the file cannot be created and "Error Writing Icon File!" when writing
// fails; the old file then stays as it was.
void WriteIconFile(const TOutputTarget& Target, const std::vector<TLoadedIconImage*>& Images);

// Writes one image as an icon file.
void SaveImageAsIco(TLoadedIconImage& Image, const TOutputTarget& Target);
