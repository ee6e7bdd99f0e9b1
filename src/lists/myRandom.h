#pragma once

#include <cstdint>

namespace skivra {

// The program's one pseudo-random generator (UI thread only): the shuffle of the lists and
// random play draw from it. Randomize seeds it from the clock; every file list does so when
// it is made.
void Randomize();
// Uniform in 0 to iCount - 1; 0 when iCount is 0 or less.
std::int32_t RandomInt(std::int32_t iCount);

} // namespace skivra
