#include "media/myTagFormat.h"

#include "lists/myNumber.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <ctime>
#include <limits>
#include <memory>
#include <unicode/datefmt.h>
#include <unicode/dcfmtsym.h>
#include <unicode/timezone.h>

namespace skivra {

namespace {

// The duration kept within the 32-bit range, so that rounding it always fits.
double ToLength(double fSeconds) {
    if (std::isnan(fSeconds)) {
        return 0;
    }
    constexpr double kMax = std::numeric_limits<std::int32_t>::max();
    constexpr double kMin = std::numeric_limits<std::int32_t>::min();
    return std::clamp(fSeconds, kMin, kMax);
}

std::u16string ToU16(const icu::UnicodeString& sText) {
    return std::u16string(sText.getBuffer(), static_cast<std::size_t>(sText.length()));
}

std::u16string DecimalSeparator() {
    UErrorCode status = U_ZERO_ERROR;
    const icu::DecimalFormatSymbols symbols(icu::Locale::getDefault(), status);
    if (U_FAILURE(status)) {
        return u".";
    }
    return ToU16(symbols.getConstSymbol(icu::DecimalFormatSymbols::kDecimalSeparatorSymbol));
}

// "<whole><separator><decimals>" of a value given in units of 10^-iDigits.
std::u16string FixedText(std::int64_t iScaled, int iDigits, std::u16string_view sUnit) {
    std::int64_t iDivisor = 1;
    for (int i = 0; i < iDigits; ++i) {
        iDivisor *= 10;
    }
    std::string sFraction = std::to_string(iScaled % iDivisor);
    sFraction.insert(0, static_cast<std::size_t>(iDigits) - sFraction.size(), '0');
    const std::string sWhole = std::to_string(iScaled / iDivisor);
    std::u16string sText(sWhole.begin(), sWhole.end());
    sText += DecimalSeparator();
    sText.append(sFraction.begin(), sFraction.end());
    sText += sUnit;
    return sText;
}

std::u16string IntegerText(std::int64_t iValue, std::u16string_view sUnit) {
    const std::string sDigits = std::to_string(iValue);
    return std::u16string(sDigits.begin(), sDigits.end()) + std::u16string(sUnit);
}

} // namespace

std::int32_t MediaLengthRounded(double fDuration) {
    return ToLength(fDuration >= 0 ? std::trunc(fDuration + 0.5) : std::trunc(fDuration - 0.5));
}

std::int32_t MediaLengthRoundedUp(double fDuration) {
    return ToLength(std::ceil(fDuration));
}

std::u16string FormatFileSize(std::int64_t iSize) {
    if (iSize < 1024) {
        return IntegerText(iSize, u"B");
    }
    const std::int64_t iKB = iSize / 1024 + (iSize % 1024 != 0 ? 1 : 0);
    if (iSize < 1048576) {
        return IntegerText(iKB, u"KB");
    }
    // Whole-number arithmetic cuts exactly where a floating-point product could land a hair
    // below the next tenth.
    if (iSize < 1073741824) {
        return FixedText(iKB * 10 / 1024, 1, u"MB");
    }
    return FixedText(iKB * 100 / 1048576, 2, u"GB");
}

std::u16string FormatFixedDecimals(double fValue, int iDigits) {
    if (!std::isfinite(fValue)) {
        return u"0";
    }
    // to_chars ignores the C locale (which the UI library sets from the environment); the
    // separator comes from the same locale as every other number of the panel.
    char szText[400];
    const auto result = std::to_chars(szText, szText + sizeof szText, fValue,
                                      std::chars_format::fixed, std::clamp(iDigits, 0, 9));
    if (result.ec != std::errc()) {
        return u"0";
    }
    std::u16string sText;
    for (const char* p = szText; p != result.ptr; ++p) {
        if (*p == '.') {
            sText += DecimalSeparator();
        } else {
            sText += static_cast<char16_t>(*p);
        }
    }
    return sText;
}

std::u16string FormatFileTime(std::int64_t iFileTime) {
    constexpr std::int64_t kTicksPerSecond = 10000000;
    constexpr std::int64_t kEpochOffset = 11644473600;
    if (iFileTime < 0) {
        return {};
    }
    const std::time_t iUnix = static_cast<std::time_t>(iFileTime / kTicksPerSecond - kEpochOffset);
    std::tm local{};
    if (!localtime_r(&iUnix, &local) || local.tm_year + 1900 < 1980 ||
        local.tm_year + 1900 > 2107) {
        return {};
    }
    local.tm_sec &= ~1;
    // The broken-down local time is formatted as if it were UTC, so the formatter shows
    // exactly these fields without converting them again.
    const std::time_t iFields = timegm(&local);
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::DateFormat> format(icu::DateFormat::createDateTimeInstance(
        icu::DateFormat::kShort, icu::DateFormat::kMedium, icu::Locale::getDefault()));
    if (!format) {
        return {};
    }
    format->adoptTimeZone(icu::TimeZone::createTimeZone(u"UTC"));
    icu::UnicodeString sText;
    format->format(static_cast<UDate>(iFields) * 1000.0, sText, status);
    return U_SUCCESS(status) ? ToU16(sText) : std::u16string();
}

} // namespace skivra
