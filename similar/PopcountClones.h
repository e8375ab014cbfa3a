#pragma once

// Marks a function that counts bits in a loop to be built twice, with the processor's population
// count instruction and without, the first taken where the processor has it (every x86-64
// processor since 2008).
#if defined(__x86_64__) && defined(__GNUC__)
#define MARROWBY_POPCOUNT_CLONES __attribute__((target_clones("popcnt", "default")))
#else
#define MARROWBY_POPCOUNT_CLONES
#endif
