#include "settings/myFloatText.h"

#include "lists/myString.h"

#include <cctype>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace skivra {

char16_t LocaleDecimalSeparator() {
    const std::lconv* lc = std::localeconv();
    if (lc && lc->decimal_point && lc->decimal_point[0] != '\0' && lc->decimal_point[1] == '\0' &&
        static_cast<unsigned char>(lc->decimal_point[0]) < 0x80)
        return static_cast<char16_t>(lc->decimal_point[0]);
    return u'.';
}

std::u16string FloatToGeneralText(double fValue, char16_t cSeparator) {
    if (std::isnan(fValue))
        return u"NAN";
    if (std::isinf(fValue))
        return fValue < 0 ? u"-INF" : u"INF";
    if (fValue == 0)
        return u"0";
    // "%.14e" rounds to 15 significant digits once; everything after works on those digits.
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.14e", fValue);
    const std::string s(buf);
    const bool bNegative = s[0] == '-';
    const std::size_t iStart = bNegative ? 1 : 0;
    const std::size_t iE = s.find('e');
    std::string sDigits = s.substr(iStart, 1) + s.substr(iStart + 2, iE - iStart - 2);
    const int iExp = std::atoi(s.c_str() + iE + 1);
    while (sDigits.size() > 1 && sDigits.back() == '0')
        sDigits.pop_back();

    std::string sOut = bNegative ? "-" : "";
    const char cSep = '\x01'; // replaced by the separator below
    if (iExp >= -5 && iExp < 15) {
        if (iExp < 0) {
            sOut += "0";
            sOut += cSep;
            sOut.append(static_cast<std::size_t>(-iExp - 1), '0');
            sOut += sDigits;
        } else {
            const std::size_t iWhole = static_cast<std::size_t>(iExp) + 1;
            if (sDigits.size() <= iWhole) {
                sOut += sDigits;
                sOut.append(iWhole - sDigits.size(), '0');
            } else {
                sOut += sDigits.substr(0, iWhole);
                sOut += cSep;
                sOut += sDigits.substr(iWhole);
            }
        }
    } else {
        sOut += sDigits[0];
        if (sDigits.size() > 1) {
            sOut += cSep;
            sOut += sDigits.substr(1);
        }
        sOut += 'E';
        sOut += std::to_string(iExp);
    }
    std::u16string sResult(sOut.begin(), sOut.end());
    for (char16_t& c : sResult)
        if (c == u'\x01')
            c = cSeparator;
    return sResult;
}

std::optional<double> GeneralTextToFloat(std::u16string_view sText, char16_t cSeparator) {
    sText = TrimText(sText);
    std::string s;
    s.reserve(sText.size());
    for (char16_t c : sText) {
        if (c == cSeparator)
            s += '.';
        else if (c == u'.' || c >= 0x80)
            return std::nullopt; // "." is no separator here, and no other digits exist
        else
            s += static_cast<char>(c);
    }
    std::size_t iPos = 0;
    if (!s.empty() && (s[0] == '+' || s[0] == '-'))
        iPos = 1;
    // from_chars takes no "+", and would take "inf", "nan" and hexadecimal forms: only
    // digits or the separator may follow the sign.
    if (iPos >= s.size() || !(std::isdigit(static_cast<unsigned char>(s[iPos])) || s[iPos] == '.'))
        return std::nullopt;
    double f = 0;
    const char* first = s.data() + iPos;
    const char* last = s.data() + s.size();
    const auto [ptr, ec] = std::from_chars(first, last, f, std::chars_format::general);
    if (ec != std::errc() || ptr != last || !std::isfinite(f))
        return std::nullopt;
    return s[0] == '-' ? -f : f;
}

} // namespace skivra
