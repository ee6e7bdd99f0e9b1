#pragma once

#include <cstdint>
#include <string>

namespace skivra {

// Whole seconds of a duration: half away from zero (records made from a stored value) or
// rounded up (after a probe, so a 10.2-second clip counts 11). A duration beyond the 32-bit
// range gives the nearest end of it, an undefined one 0.
std::int32_t MediaLengthRounded(double fDuration);
std::int32_t MediaLengthRoundedUp(double fDuration);

// The size text of the information panel: "1023B", "2KB", "1.0MB", "1.00GB". Kilobytes are
// rounded up; megabytes and gigabytes are cut (not rounded) to one and two decimals. The
// decimal separator is the locale's.
std::u16string FormatFileSize(std::int64_t iSize);

// A value with iDigits decimals (0 to 9), rounded to the nearest, in the locale's decimal
// separator: 29.97 with 2 reads "29.97", 25 reads "25.00". Not a finite number reads "0".
std::u16string FormatFixedDecimals(double fValue, int iDigits);

// A file time (100 ns ticks since 1601 UTC) in local time at the two-second resolution of
// the DOS form, in the locale's short date and long time formats. Empty for a time outside
// 1980 to 2107, which the DOS form cannot hold.
std::u16string FormatFileTime(std::int64_t iFileTime);

} // namespace skivra
