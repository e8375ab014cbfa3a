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
    void Charge(const TLoadedIconImage& image);

private:
    std::size_t left_;
};
