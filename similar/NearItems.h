#pragma once

#include <cstdint>
#include <optional>
#include <vector>

// The items whose hash lies within MaxDistance (0 to 16) of item Pressed's, Pressed among them,
// in item order; items without a hash never match, and none do when Pressed has none.
std::vector<std::size_t> ItemsNear(const std::vector<std::optional<std::uint64_t>>& Hashes,
                                   std::size_t Pressed, int MaxDistance);
