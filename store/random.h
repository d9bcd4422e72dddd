// The one source of chance of the program: drawing words for a practice list, and the
// order of the practice runs.
#pragma once

#include <cstdint>

// A uniformly drawn index in [0, count); 0 when count is 0 or less. Every entry of a
// list of any length can be drawn, not only the first 32 768.
int RandomIndex(int count);

// Starts the source over from a seed, so a test can repeat a draw. The program itself
// seeds from the system once, at the first draw.
void SeedRandomSource(std::uint64_t seed);
