#include "engine/myKeyValueText.h"

#include "support/myUnicode.h"

namespace skivra {

namespace {

std::u16string Escape(std::u16string_view sText) {
    std::u16string sResult;
    sResult.reserve(sText.size());
    for (const char16_t c : sText) {
        if (c == u'\\') {
            sResult += u"\\\\";
        } else if (c == u'\n') {
            sResult += u"\\n";
        } else if (c == u'\r') {
            sResult += u"\\r";
        } else {
            sResult += c;
        }
    }
    return sResult;
}

std::optional<std::u16string> Unescape(std::u16string_view sText) {
    std::u16string sResult;
    sResult.reserve(sText.size());
    for (std::size_t i = 0; i < sText.size(); ++i) {
        if (sText[i] != u'\\') {
            sResult += sText[i];
            continue;
        }
        if (++i == sText.size()) {
            return std::nullopt;
        }
        switch (sText[i]) {
        case u'\\':
            sResult += u'\\';
            break;
        case u'n':
            sResult += u'\n';
            break;
        case u'r':
            sResult += u'\r';
            break;
        default:
            return std::nullopt;
        }
    }
    return sResult;
}

} // namespace

std::string FormatKeyValueText(const TMyKeyValues& values) {
    std::u16string sText;
    for (const auto& [sName, sValue] : values) {
        sText += Escape(sName) + u"=" + Escape(sValue) + u"\n";
    }
    return Utf16ToUtf8(sText);
}

std::optional<TMyKeyValues> ParseKeyValueText(std::string_view sText) {
    const std::optional<std::u16string> sWide = Utf8ToUtf16(sText);
    if (!sWide) {
        return std::nullopt;
    }
    TMyKeyValues values;
    std::u16string_view rest = *sWide;
    while (!rest.empty()) {
        const std::size_t iEnd = rest.find(u'\n');
        const std::u16string_view line = rest.substr(0, iEnd);
        rest = iEnd == std::u16string_view::npos ? std::u16string_view{} : rest.substr(iEnd + 1);
        if (line.empty()) {
            continue;
        }
        const std::size_t iEqual = line.find(u'=');
        if (iEqual == std::u16string_view::npos) {
            return std::nullopt;
        }
        std::optional<std::u16string> sName = Unescape(line.substr(0, iEqual));
        std::optional<std::u16string> sValue = Unescape(line.substr(iEqual + 1));
        if (!sName || !sValue) {
            return std::nullopt;
        }
        values.emplace_back(std::move(*sName), std::move(*sValue));
    }
    return values;
}

std::optional<std::u16string> FindKeyValue(const TMyKeyValues& values, std::u16string_view sName) {
    for (const auto& [sKey, sValue] : values) {
        if (sKey == sName) {
            return sValue;
        }
    }
    return std::nullopt;
}

void SetKeyValue(TMyKeyValues& values, std::u16string_view sName, std::u16string_view sValue) {
    for (auto& [sKey, sOld] : values) {
        if (sKey == sName) {
            sOld = sValue;
            return;
        }
    }
    values.emplace_back(std::u16string(sName), std::u16string(sValue));
}

} // namespace skivra
