#include "lists/myNumber.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace skivra {

int32_t ClampInt(int32_t a, int32_t lo, int32_t hi) {
    if (lo == hi || a < lo) {
        return lo;
    }
    return std::min(a, hi);
}

int64_t ClampInt64(int64_t iValue, int64_t iMin, int64_t iMax) {
    if (iMin == iMax || iValue < iMin) {
        return iMin;
    }
    return iValue > iMax ? iMax : iValue;
}

int64_t WrapInt64(int64_t iValue, int64_t iMin, int64_t iMax) {
    if (iMin > iMax) {
        std::swap(iMin, iMax);
    }
    if (iMin == iMax) {
        return iMin;
    }
    if (iValue >= iMin && iValue <= iMax) {
        return iValue;
    }
    // The span and the offset are taken as unsigned so that a range as wide as the whole
    // 64-bit type cannot overflow; the arithmetic is modulo 2^64, which is exact here.
    const uint64_t iSpan = static_cast<uint64_t>(iMax) - static_cast<uint64_t>(iMin) + 1;
    const uint64_t iOffset = static_cast<uint64_t>(iValue) - static_cast<uint64_t>(iMin);
    uint64_t iRest;
    if (iValue > iMax) {
        iRest = iOffset % iSpan;
    } else {
        // Below the range: the offset is negative, its magnitude is min - value.
        const uint64_t iBelow = static_cast<uint64_t>(iMin) - static_cast<uint64_t>(iValue);
        const uint64_t iMod = iBelow % iSpan;
        iRest = iMod == 0 ? 0 : iSpan - iMod;
    }
    return static_cast<int64_t>(static_cast<uint64_t>(iMin) + iRest);
}

bool InRangeInt(int32_t a, int32_t lo, int32_t hi) {
    return lo <= a && a <= hi;
}

int32_t MinOfInts(std::span<const int32_t> aValues) {
    if (aValues.empty()) {
        throw std::invalid_argument("MinOfInts of no values");
    }
    return *std::min_element(aValues.begin(), aValues.end());
}

int32_t MaxOfInts(std::span<const int32_t> aValues) {
    if (aValues.empty()) {
        throw std::invalid_argument("MaxOfInts of no values");
    }
    return *std::max_element(aValues.begin(), aValues.end());
}

namespace {

int64_t ToInt64(double x) {
    // 2^63 itself is the first double that does not fit; -2^63 still does.
    if (!(x >= -9223372036854775808.0 && x < 9223372036854775808.0)) {
        throw std::range_error("value out of the 64-bit range");
    }
    return static_cast<int64_t>(x);
}

} // namespace

int64_t RoundHalfAway(double x) {
    return x >= 0 ? ToInt64(std::trunc(x + 0.5)) : ToInt64(std::trunc(x - 0.5));
}

int64_t RoundUp(double x) {
    return ToInt64(std::ceil(x));
}

int64_t RoundDown(double x) {
    return ToInt64(std::floor(x));
}

int64_t RoundAwayFromZero(double x) {
    return x >= 0 ? ToInt64(std::ceil(x)) : ToInt64(std::floor(x));
}

int64_t RoundTowardZero(double x) {
    return x >= 0 ? ToInt64(std::floor(x)) : ToInt64(std::ceil(x));
}

TMyHiLo SplitHiLo(int32_t iValue) {
    return {iValue >> 16, static_cast<int16_t>(static_cast<uint32_t>(iValue) & 0xFFFF)};
}

} // namespace skivra
