#pragma once

#include <cstddef>

#include "icons/LoadedIcon.h"

// Missing image rows are replaced by zero rows and PNG streams expand when decoded, so a
// directory whose entries all point at one short image could make a small file decode into
// gigabytes. Readers charge every decoded image here; past a generous multiple of the source
// size the read fails.
class TDecodeBudget {
public:
    explicit TDecodeBudget(std::size_t sourceBytes);
    // Charges the image object itself, when a directory entry has been read. Resource
    // directories can list one group many times, so the objects alone could outgrow the file.
    void ChargeEntry(const TLoadedIconImage& image);
    // Charges what an image holds: its stored bytes and the rows they decode to, counted when
    // its header is read, before anything is decoded.
    void Charge(const TLoadedIconImage& image);

private:
    void Spend(std::size_t bytes);
    std::size_t left_;
};
