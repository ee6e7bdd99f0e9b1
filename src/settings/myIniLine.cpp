#include "settings/myIniLine.h"

#include "lists/myString.h"

namespace skivra {

namespace {

bool IsBlank(char16_t c) {
    return c <= 32;
}

} // namespace

std::optional<std::u16string_view> IniSectionName(std::u16string_view sLine) {
    const std::u16string_view sTrimmed = TrimText(sLine);
    if (sTrimmed.empty() || sTrimmed.front() != u'[')
        return std::nullopt;
    std::u16string_view sInner = sTrimmed.substr(1);
    while (!sInner.empty() && IsBlank(sInner.front()))
        sInner.remove_prefix(1);
    const std::size_t iClose = sInner.find(u']');
    // "]" as the first character after the blanks means empty brackets.
    if (iClose == std::u16string_view::npos || iClose == 0)
        return std::nullopt;
    const std::u16string_view sName = TrimText(sInner.substr(0, iClose));
    if (sName.empty())
        return std::nullopt;
    return sName;
}

std::u16string_view IniKeyName(std::u16string_view sLine) {
    const std::size_t iEq = sLine.find(u'=');
    if (iEq == std::u16string_view::npos || iEq == 0)
        return {};
    return TrimText(sLine.substr(0, iEq));
}

std::u16string_view IniKeyValue(std::u16string_view sLine) {
    const std::size_t iEq = sLine.find(u'=');
    return iEq == std::u16string_view::npos ? std::u16string_view{} : sLine.substr(iEq + 1);
}

} // namespace skivra
