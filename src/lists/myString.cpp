#include "lists/myString.h"

#include <unicode/translit.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <memory>
#include <optional>

namespace skivra {

char16_t UpperCaseAscii(char16_t c) {
    return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - (u'a' - u'A')) : c;
}

std::u16string UpperCaseAscii(std::u16string_view sText) {
    std::u16string sResult(sText);
    for (char16_t& c : sResult) {
        c = UpperCaseAscii(c);
    }
    return sResult;
}

bool SameTextAscii(std::u16string_view s1, std::u16string_view s2) {
    if (s1.size() != s2.size()) {
        return false;
    }
    for (size_t i = 0; i < s1.size(); ++i) {
        if (UpperCaseAscii(s1[i]) != UpperCaseAscii(s2[i])) {
            return false;
        }
    }
    return true;
}

int32_t CompareTextAscii(std::u16string_view s1, std::u16string_view s2, bool bCaseSensitive) {
    const size_t n = std::min(s1.size(), s2.size());
    for (size_t i = 0; i < n; ++i) {
        const char16_t c1 = bCaseSensitive ? s1[i] : UpperCaseAscii(s1[i]);
        const char16_t c2 = bCaseSensitive ? s2[i] : UpperCaseAscii(s2[i]);
        if (c1 != c2) {
            return c1 < c2 ? -1 : 1;
        }
    }
    if (s1.size() == s2.size()) {
        return 0;
    }
    return s1.size() < s2.size() ? -1 : 1;
}

std::u16string_view TrimText(std::u16string_view sText) {
    size_t iBegin = 0;
    size_t iEnd = sText.size();
    while (iBegin < iEnd && sText[iBegin] <= u' ') {
        ++iBegin;
    }
    while (iEnd > iBegin && sText[iEnd - 1] <= u' ') {
        --iEnd;
    }
    return sText.substr(iBegin, iEnd - iBegin);
}

std::u16string ReplaceText(std::u16string_view sText, std::u16string_view sOld,
                           std::u16string_view sNew, bool bCaseSensitive) {
    if (sText.empty() || sOld.empty()) {
        return std::u16string(sText);
    }
    // Folding keeps every unit at its place, so positions found in the folded copies are
    // positions in the original text.
    std::u16string sFoldedText;
    std::u16string sFoldedOld;
    std::u16string_view sSearchText = sText;
    std::u16string_view sSearchOld = sOld;
    if (!bCaseSensitive) {
        sFoldedText = UpperCaseAscii(sText);
        sFoldedOld = UpperCaseAscii(sOld);
        sSearchText = sFoldedText;
        sSearchOld = sFoldedOld;
    }
    std::u16string sResult;
    sResult.reserve(sText.size());
    size_t iFrom = 0;
    for (;;) {
        const size_t iFound = sSearchText.find(sSearchOld, iFrom);
        if (iFound == std::u16string_view::npos) {
            break;
        }
        sResult.append(sText.substr(iFrom, iFound - iFrom));
        sResult.append(sNew);
        iFrom = iFound + sOld.size();
    }
    sResult.append(sText.substr(iFrom));
    return sResult;
}

std::u16string ReplaceAll(std::u16string_view sText, std::u16string_view sOld,
                          std::u16string_view sNew) {
    return ReplaceText(sText, sOld, sNew, true);
}

namespace {

// Transliterators are not safe to share between threads, and building one parses its
// rules, so every thread keeps its own.
const icu::Transliterator* HalfWidthTransliterator() {
    thread_local std::unique_ptr<icu::Transliterator> tr = [] {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::Transliterator> t(
            icu::Transliterator::createInstance("Fullwidth-Halfwidth", UTRANS_FORWARD, status));
        if (U_FAILURE(status)) {
            t.reset();
        }
        return t;
    }();
    return tr.get();
}

} // namespace

std::u16string ToHalfWidth(std::u16string_view sText) {
    // ASCII has no wide forms. Settings files are read this way value by value, and they
    // are ASCII, so the transliterator (20 ms and half a megabyte to build) is only made
    // for a text that may need it.
    if (std::ranges::all_of(sText, [](char16_t c) { return c < 0x80; })) {
        return std::u16string(sText);
    }
    const icu::Transliterator* tr = HalfWidthTransliterator();
    if (tr == nullptr) {
        return std::u16string(sText);
    }
    icu::UnicodeString us(false, sText.data(), static_cast<int32_t>(sText.size()));
    tr->transliterate(us);
    return std::u16string(us.getBuffer(), static_cast<size_t>(us.length()));
}

namespace {

int HexDigitValue(char16_t c) {
    if (c >= u'0' && c <= u'9') {
        return c - u'0';
    }
    if (c >= u'A' && c <= u'F') {
        return c - u'A' + 10;
    }
    if (c >= u'a' && c <= u'f') {
        return c - u'a' + 10;
    }
    return -1;
}

// The strict integer syntax: an optional sign, then decimal digits, or hexadecimal digits
// after "$", "X" or "0X"; nothing else, and the value must fit a signed 64-bit integer.
// bHex reads digits without a prefix as hexadecimal too.
std::optional<int64_t> StrToInt64Strict(std::u16string_view s, bool bHex = false) {
    size_t i = 0;
    bool bNegative = false;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) {
        bNegative = s[i] == u'-';
        ++i;
    }
    int iBase = bHex ? 16 : 10;
    if (i < s.size() && (s[i] == u'$' || s[i] == u'X' || s[i] == u'x')) {
        iBase = 16;
        ++i;
    } else if (i + 1 < s.size() && s[i] == u'0' && (s[i + 1] == u'X' || s[i + 1] == u'x')) {
        iBase = 16;
        i += 2;
    }
    if (i >= s.size()) {
        return std::nullopt;
    }
    // Accumulate the magnitude as unsigned so that the most negative value still fits.
    const uint64_t iLimit = bNegative ? uint64_t{1} << 63 : (uint64_t{1} << 63) - 1;
    uint64_t iValue = 0;
    for (; i < s.size(); ++i) {
        const int d = HexDigitValue(s[i]);
        if (d < 0 || d >= iBase) {
            return std::nullopt;
        }
        if (iValue > (iLimit - static_cast<uint64_t>(d)) / static_cast<uint64_t>(iBase)) {
            return std::nullopt;
        }
        iValue = iValue * static_cast<uint64_t>(iBase) + static_cast<uint64_t>(d);
    }
    if (bNegative) {
        return iValue == (uint64_t{1} << 63) ? std::numeric_limits<int64_t>::min()
                                             : -static_cast<int64_t>(iValue);
    }
    return static_cast<int64_t>(iValue);
}

} // namespace

int64_t StrToInt64Lenient(std::u16string_view sText, bool bHex) {
    const std::u16string sValue = UpperCaseAscii(ToHalfWidth(TrimText(sText)));
    // With bHex a whole text of digits is hexadecimal as well, so that "10" and "10 px" both
    // read 16.
    if (const std::optional<int64_t> iStrict = StrToInt64Strict(sValue, bHex)) {
        return *iStrict;
    }
    std::u16string sCandidate;
    for (const char16_t c : sValue) {
        if (c >= u'0' && c <= u'9') {
            sCandidate += c;
        } else if (c >= u'A' && c <= u'F') {
            if (sCandidate.empty() || sCandidate[0] != u'$') {
                sCandidate.insert(sCandidate.begin(), u'$');
            }
            sCandidate += c;
        } else if (c == u'$' || c == u'X') {
            if (!sCandidate.empty()) {
                break;
            }
            sCandidate.assign(1, u'$');
        } else if (c == u'-' || c == u'+') {
            if (!sCandidate.empty()) {
                break;
            }
            sCandidate = c;
        } else if (c == u',') {
            continue;
        } else if (c == u' ') {
            if (!sCandidate.empty()) {
                break;
            }
        } else {
            break;
        }
    }
    if (sCandidate.empty()) {
        return 0;
    }
    if (bHex && sCandidate[0] != u'$') {
        sCandidate.insert(sCandidate.begin(), u'$');
    }
    return StrToInt64Strict(sCandidate).value_or(0);
}

bool TextInArray(std::u16string_view sText, std::span<const std::u16string> aArray) {
    for (const std::u16string& s : aArray) {
        if (SameTextAscii(sText, s)) {
            return true;
        }
    }
    return false;
}

namespace {

std::u16string AsciiToUtf16(const char* psz) {
    std::u16string s;
    for (; *psz != '\0'; ++psz) {
        s += static_cast<char16_t>(static_cast<unsigned char>(*psz));
    }
    return s;
}

// The locale's time and decimal separators; the texts are always built with ":" and ".",
// which are what the Japanese locale uses.
constexpr char16_t kTimeSeparator = u':';
constexpr char16_t kDecimalSeparator = u'.';

// Leading zeros and separators go, so that "0:01:05" reads "1:05" and "0:00:07" reads "7".
std::u16string TrimTime(std::u16string s) {
    size_t i = 0;
    while (i < s.size() && (s[i] == u'0' || s[i] == kTimeSeparator)) {
        ++i;
    }
    s.erase(0, i);
    if (!s.empty() && s[0] == kDecimalSeparator) {
        s.insert(s.begin(), u'0');
    }
    if (s.empty()) {
        s.assign(1, u'0');
    }
    return s;
}

std::u16string FormatHms(uint64_t iSeconds, const char* pszFraction = "") {
    char sz[96];
    std::snprintf(sz, sizeof sz, "%llu:%.2u:%.2u%s",
                  static_cast<unsigned long long>(iSeconds / 3600),
                  static_cast<unsigned>(iSeconds % 3600 / 60), static_cast<unsigned>(iSeconds % 60),
                  pszFraction);
    return AsciiToUtf16(sz);
}

uint64_t Magnitude(int64_t i) {
    return i < 0 ? uint64_t{0} - static_cast<uint64_t>(i) : static_cast<uint64_t>(i);
}

} // namespace

// A negative time keeps its sign in front ("-1:15"), where splitting the negative value into
// hours, minutes and seconds would give "-01:-15".
std::u16string FormatSeconds(int64_t iSeconds) {
    if (iSeconds == 0) {
        return u"0";
    }
    std::u16string s = TrimTime(FormatHms(Magnitude(iSeconds)));
    return iSeconds < 0 ? u"-" + s : s;
}

std::u16string FormatSecondsFraction(int32_t iDigits, double fSeconds) {
    if (!std::isfinite(fSeconds)) {
        return u"0";
    }
    if (iDigits <= 0) {
        const double fRounded =
            fSeconds >= 0 ? std::trunc(fSeconds + 0.5) : std::trunc(fSeconds - 0.5);
        if (std::fabs(fRounded) >= 9.2e18) {
            return u"0";
        }
        return FormatSeconds(static_cast<int64_t>(fRounded));
    }
    // More digits than a double holds would only show noise (and overflow the fraction).
    iDigits = std::min(iDigits, 9);
    const double fAbs = std::fabs(fSeconds);
    if (fAbs >= 9.2e18) {
        return u"0";
    }
    const double fWhole = std::trunc(fAbs);
    const auto iFraction =
        static_cast<unsigned long long>(std::trunc(std::pow(10.0, iDigits) * (fAbs - fWhole)));
    char szFraction[32];
    std::u16string s;
    if (fAbs > 1) {
        std::snprintf(szFraction, sizeof szFraction, ".%.*llu", iDigits, iFraction);
        s = TrimTime(FormatHms(static_cast<uint64_t>(fWhole), szFraction));
    } else {
        std::snprintf(szFraction, sizeof szFraction, "%llu.%.*llu",
                      static_cast<unsigned long long>(fWhole), iDigits, iFraction);
        s = AsciiToUtf16(szFraction);
    }
    return fSeconds < 0 ? u"-" + s : s;
}

} // namespace skivra
