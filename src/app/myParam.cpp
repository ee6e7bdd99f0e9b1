#include "app/myParam.h"

#include "lists/myString.h"
#include "platform/posix/myProcess.h"
#include "support/myUnicode.h"

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <locale.h>

namespace skivra {

namespace {

constexpr bool IsBlankOrControl(char16_t c) {
    return c <= u' ';
}

constexpr bool IsParamBreak(char16_t c) {
    return c == u'\t' || c == u'\n' || c == u'\r' || c == u' ';
}

std::u16string_view Trim(std::u16string_view s) {
    while (!s.empty() && IsBlankOrControl(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && IsBlankOrControl(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

std::u16string Unquote(std::u16string_view sValue) {
    std::u16string_view s = Trim(sValue);
    if (!s.empty() && s.front() == u'"') {
        s.remove_prefix(1);
    }
    if (!s.empty() && s.back() == u'"') {
        s.remove_suffix(1);
    }
    s = Trim(s);
    std::u16string sResult;
    sResult.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        sResult += s[i];
        if (s[i] == u'"' && i + 1 < s.size() && s[i + 1] == u'"') {
            ++i;
        }
    }
    return sResult;
}

// The process locale's number format, read once; the C locale when the environment names
// none or one that is not installed.
locale_t NumericLocale() {
    static const locale_t locale = [] {
        locale_t l = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr));
        return l ? l : newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(nullptr));
    }();
    return locale;
}

} // namespace

TMyParamOption::TMyParamOption(std::u16string sParam, int iIndex, int iOptionOrdinal,
                               int iUnOptionalOrdinal, bool bMayBeOption)
    : FiIndex(iIndex), FiOptionIndex(-1), FiUnOptionalIndex(-1), FsParamString(std::move(sParam)) {
    FbOption = bMayBeOption && FsParamString.size() >= 2 && FsParamString.front() == u'/';
    if (!FbOption) {
        FiUnOptionalIndex = iUnOptionalOrdinal;
        return;
    }
    FiOptionIndex = iOptionOrdinal;
    const std::size_t iColon = FsParamString.find(u':');
    FbOptionValue = iColon != std::u16string::npos;
    if (FbOptionValue) {
        FsOptionString = FsParamString.substr(1, iColon - 1);
        FsOptionValue = FsParamString.substr(iColon + 1);
    } else {
        FsOptionString = FsParamString.substr(1);
    }
    FsOptionUpperString = UpperCaseAscii(FsOptionString);
    FsOptionUpperValue = UpperCaseAscii(FsOptionValue);
    FsQuoatedOptionValue = Unquote(FsOptionValue);
    FsQuoatedOptionUpperValue = UpperCaseAscii(FsQuoatedOptionValue);
}

int TMyParamOption::ValueInt() const {
    std::u16string_view s = FsOptionValue;
    bool bNegative = false;
    if (!s.empty() && (s.front() == u'-' || s.front() == u'+')) {
        bNegative = s.front() == u'-';
        s.remove_prefix(1);
    }
    if (s.empty()) {
        return 0;
    }
    long long iValue = 0;
    for (char16_t c : s) {
        if (c < u'0' || c > u'9') {
            return 0;
        }
        iValue = iValue * 10 + (c - u'0');
        if (iValue > static_cast<long long>(std::numeric_limits<int>::max()) + 1) {
            return 0;
        }
    }
    iValue = bNegative ? -iValue : iValue;
    if (iValue > std::numeric_limits<int>::max()) {
        return 0;
    }
    return static_cast<int>(iValue);
}

double TMyParamOption::ValueFloat() const {
    const std::string sValue = Utf16ToUtf8(Trim(FsOptionValue));
    // strtod would also take "inf", "nan" and hexadecimal forms, which are not numbers a
    // user writes.
    if (sValue.empty() || sValue.find_first_of("xXiInN") != std::string::npos) {
        return 0;
    }
    char* pEnd = nullptr;
    const double fValue = strtod_l(sValue.c_str(), &pEnd, NumericLocale());
    if (pEnd != sValue.c_str() + sValue.size() || !std::isfinite(fValue)) {
        return 0;
    }
    return fValue;
}

bool TMyParamOption::CompareOption(std::u16string_view sOpt) const {
    return FsOptionUpperString == UpperCaseAscii(sOpt);
}

bool TMyParamOption::CompareOption(std::initializer_list<std::u16string_view> opts) const {
    for (auto sOpt : opts) {
        if (CompareOption(sOpt)) {
            return true;
        }
    }
    return false;
}

bool TMyParamOption::CompareValue(std::u16string_view sValue) const {
    return FsOptionUpperValue == UpperCaseAscii(sValue);
}

bool TMyParamOption::CompareValue(std::initializer_list<std::u16string_view> values) const {
    for (auto sValue : values) {
        if (CompareValue(sValue)) {
            return true;
        }
    }
    return false;
}

std::vector<std::u16string> SplitCommandLine(std::u16string_view sText) {
    std::vector<std::u16string> params;
    std::u16string sToken;
    bool bInQuotes = false;
    bool bQuoteEscaped = false;
    for (std::size_t i = 0; i < sText.size(); ++i) {
        const char16_t c = sText[i];
        if (IsParamBreak(c)) {
            if (bInQuotes) {
                sToken += c;
            } else if (!sToken.empty()) {
                params.push_back(std::move(sToken));
                sToken.clear();
            }
        } else if (c == u'"' && !bInQuotes) {
            if (!sToken.empty()) {
                params.push_back(std::move(sToken));
                sToken.clear();
            }
            bInQuotes = true;
        } else if (c == u'"') {
            if (bQuoteEscaped) {
                bQuoteEscaped = false;
                sToken += u'"';
            } else if (i + 1 < sText.size() && sText[i + 1] == u'"') {
                bQuoteEscaped = true;
            } else {
                // A pair of quotes with nothing between them is an empty parameter.
                bInQuotes = false;
                params.push_back(std::move(sToken));
                sToken.clear();
            }
        } else {
            sToken += c;
        }
    }
    if (!sToken.empty()) {
        params.push_back(std::move(sToken));
    }
    return params;
}

TMyParam::TMyParam() : TMyParam(GetProcessCommandLine(), true) {}

TMyParam::TMyParam(std::u16string sText, bool bFirstIsProgramPath) : FsCmdLine(std::move(sText)) {
    FParams = SplitCommandLine(FsCmdLine);
    // "/FROM:" followed by "12" is the one option "/FROM:12", so a quoted value may follow
    // an option after a blank.
    for (std::size_t i = 0; i + 1 < FParams.size(); ++i) {
        const std::u16string& sParam = FParams[i];
        if (!sParam.empty() && sParam.front() == u'/' && sParam.back() == u':') {
            FParams[i] += FParams[i + 1];
            FParams.erase(FParams.begin() + static_cast<std::ptrdiff_t>(i) + 1);
        }
    }
    for (std::size_t i = 0; i < FParams.size(); ++i) {
        auto option = std::make_unique<TMyParamOption>(FParams[i], static_cast<int>(i), FiOptCount,
                                                       FiUnOptCount, i > 0 || !bFirstIsProgramPath);
        if (option->IsOption()) {
            ++FiOptCount;
        } else {
            ++FiUnOptCount;
            FUnOptParams.push_back(FParams[i]);
        }
        FOptParams.push_back(std::move(option));
    }
    if (!FParams.empty()) {
        FsExeName = FParams.front();
        FShiftParams.assign(FParams.begin() + 1, FParams.end());
    }
}

std::u16string TMyParam::PathName() const {
    for (std::size_t i = FsExeName.size(); i-- > 0;) {
        const char16_t c = FsExeName[i];
        if (c == u'\\' || c == u'/') {
            return FsExeName.substr(0, i + 1);
        }
        if (c == u':') {
            return FsExeName.substr(0, i + 1) + u"\\";
        }
    }
    return {};
}

std::u16string TMyParam::ShiftCmdLine() const {
    const std::u16string_view s = FsCmdLine;
    bool bStarted = false;
    bool bInQuotes = false;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char16_t c = s[i];
        if (!bStarted) {
            if (c == u'"') {
                bStarted = true;
                bInQuotes = true;
            } else if (c != u' ' && c != u'\t') {
                bStarted = true;
            }
        } else if (!bInQuotes) {
            if (c == u'"') {
                bInQuotes = true;
            } else if (c == u' ' || c == u'\t') {
                return std::u16string(Trim(s.substr(i + 1)));
            }
        } else if (c == u'"') {
            if (i + 1 == s.size()) {
                return {};
            }
            if (s[i + 1] != u'"') {
                return std::u16string(Trim(s.substr(i + 1)));
            }
            // A doubled quote is a quote inside the quoted program path.
            ++i;
        }
    }
    return {};
}

const TMyParamOption* TMyParam::FindOption(std::u16string_view sOpt) const {
    const std::u16string sUpper = UpperCaseAscii(sOpt);
    for (const auto& option : FOptParams) {
        if (option->OptionText() == sUpper) {
            return option.get();
        }
    }
    return nullptr;
}

bool TMyParam::OptionExists(std::u16string_view sOpt) const {
    return FindOption(sOpt) != nullptr;
}

std::u16string TMyParam::ValueString(std::u16string_view sOpt) const {
    const TMyParamOption* option = FindOption(sOpt);
    return option ? option->ValueString() : std::u16string();
}

std::u16string TMyParam::ValueText(std::u16string_view sOpt) const {
    const TMyParamOption* option = FindOption(sOpt);
    return option ? option->ValueText() : std::u16string();
}

std::u16string TMyParam::QuoatedValueString(std::u16string_view sOpt) const {
    const TMyParamOption* option = FindOption(sOpt);
    return option ? option->QuoatedValueString() : std::u16string();
}

std::u16string TMyParam::QuoatedValueText(std::u16string_view sOpt) const {
    const TMyParamOption* option = FindOption(sOpt);
    return option ? option->QuoatedValueText() : std::u16string();
}

std::u16string TMyParam::ParamStr(int i) const {
    if (i < 0 || i >= Count()) {
        return {};
    }
    return FParams[static_cast<std::size_t>(i)];
}

const TMyParamOption* TMyParam::OptionParam(int i) const {
    if (i < 0 || i >= Count()) {
        return nullptr;
    }
    return FOptParams[static_cast<std::size_t>(i)].get();
}

TMyOptionString TMyParam::OptStr(int i) const {
    for (const auto& option : FOptParams) {
        if (option->OptionIndex() == i) {
            return {option->OptionString(), option->ValueString(), option->OptionText(),
                    option->ValueText(), option->ParamString()};
        }
    }
    return {};
}

std::u16string TMyParam::UnOptStr(int i) const {
    for (const auto& option : FOptParams) {
        if (option->UnOptionalIndex() == i) {
            return option->ParamString();
        }
    }
    return {};
}

const TMyParam& MyParam() {
    static const TMyParam param;
    return param;
}

} // namespace skivra
