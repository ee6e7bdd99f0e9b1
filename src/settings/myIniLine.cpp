#include "settings/myIniLine.h"

#include <algorithm>

namespace skivra {

namespace {

char16_t FoldAscii(char16_t c) {
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

bool IsBlank(char16_t c) {
    return c <= 32;
}

} // namespace

std::u16string_view IniTrim(std::u16string_view sText) {
    while (!sText.empty() && IsBlank(sText.front()))
        sText.remove_prefix(1);
    while (!sText.empty() && IsBlank(sText.back()))
        sText.remove_suffix(1);
    return sText;
}

std::optional<std::u16string_view> IniSectionName(std::u16string_view sLine) {
    const std::u16string_view sTrimmed = IniTrim(sLine);
    if (sTrimmed.empty() || sTrimmed.front() != u'[')
        return std::nullopt;
    std::u16string_view sInner = sTrimmed.substr(1);
    while (!sInner.empty() && IsBlank(sInner.front()))
        sInner.remove_prefix(1);
    const std::size_t iClose = sInner.find(u']');
    // "]" as the first character after the blanks means empty brackets.
    if (iClose == std::u16string_view::npos || iClose == 0)
        return std::nullopt;
    const std::u16string_view sName = IniTrim(sInner.substr(0, iClose));
    if (sName.empty())
        return std::nullopt;
    return sName;
}

std::u16string_view IniKeyName(std::u16string_view sLine) {
    const std::size_t iEq = sLine.find(u'=');
    if (iEq == std::u16string_view::npos || iEq == 0)
        return {};
    return IniTrim(sLine.substr(0, iEq));
}

std::u16string_view IniKeyValue(std::u16string_view sLine) {
    const std::size_t iEq = sLine.find(u'=');
    return iEq == std::u16string_view::npos ? std::u16string_view{} : sLine.substr(iEq + 1);
}

bool IniSameName(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](char16_t x, char16_t y) { return FoldAscii(x) == FoldAscii(y); });
}

std::u16string IniFoldName(std::u16string_view sName) {
    std::u16string s(sName);
    std::transform(s.begin(), s.end(), s.begin(), FoldAscii);
    return s;
}

} // namespace skivra
