#pragma once

#include <cstdint>

// The millisecond tick count of a monotonic clock, wrapping at 32 bits: callers subtract two
// counts in unsigned arithmetic, which stays right across the wrap.
std::uint32_t TickCount();
