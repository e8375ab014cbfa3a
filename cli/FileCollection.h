#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "icons/PathList.h"

// How the folders among a command's paths become files: the -r and --mask options.
struct TFileCollection {
    bool Recursive = false;
    std::string Mask{kIconFileMask};
};

// Takes -r, --recursive or --mask MASK at args[i], moving i onto the mask; false for any
// other argument. Throws TUsageError when --mask has no value.
bool ParseFileCollectionOption(const std::vector<std::string>& args, std::size_t& i,
                               TFileCollection& collection);

// The files a path stands for: a folder gives its files that match the mask (with Recursive
// those of every folder below it too), anything else is taken as a file.
std::vector<std::string> CollectFiles(const std::string& path, const TFileCollection& collection);
