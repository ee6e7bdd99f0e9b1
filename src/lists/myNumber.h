#pragma once

#include <cstdint>
#include <span>

namespace skivra {

// Number utilities that the bars, the volume and the settings use by name.

// lo when lo equals hi or a is below lo, otherwise the smaller of a and hi.
int32_t ClampInt(int32_t a, int32_t lo, int32_t hi);
// min when min equals max or value is below min, max when above, otherwise value.
int64_t ClampInt64(int64_t iValue, int64_t iMin, int64_t iMax);
// value wrapped cyclically into min to max (both given in either order): with 0 and 9,
// -1 becomes 9 and 10 becomes 0.
int64_t WrapInt64(int64_t iValue, int64_t iMin, int64_t iMax);
bool InRangeInt(int32_t a, int32_t lo, int32_t hi);
// The smallest or largest element; the array must not be empty.
int32_t MinOfInts(std::span<const int32_t> aValues);
int32_t MaxOfInts(std::span<const int32_t> aValues);

// Rounding to 64-bit integers. A value outside the 64-bit range (or not a number) has no
// such integer and raises std::range_error.
int64_t RoundHalfAway(double x);
int64_t RoundUp(double x);
int64_t RoundDown(double x);
int64_t RoundAwayFromZero(double x);
int64_t RoundTowardZero(double x);

struct TMyHiLo {
    int32_t iHi; // the upper 16 bits, shifted arithmetically
    int32_t iLo; // the lower 16 bits, sign-extended
};
TMyHiLo SplitHiLo(int32_t iValue);

} // namespace skivra
