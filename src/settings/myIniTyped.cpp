// The typed reads and writes of TMyIniFile, all built on ReadString and WriteString.

#include "lists/myString.h"
#include "settings/myFloatText.h"
#include "settings/myIniFile.h"
#include "settings/myIniLine.h"
#include "support/myMonitor.h"

#include <algorithm>
#include <array>
#include <string>

namespace skivra {

namespace {

std::u16string DecimalText(std::int64_t iValue) {
    const std::string s = std::to_string(iValue);
    return std::u16string(s.begin(), s.end());
}

constexpr std::u16string_view kRectKeys[] = {u"_Left", u"_Top", u"_Right", u"_Bottom"};
constexpr std::u16string_view kPointKeys[] = {u"_X", u"_Y"};
constexpr std::u16string_view kSizeKeys[] = {u"_cx", u"_cy"};

std::u16string KeyWith(std::u16string_view sKey, std::u16string_view sSuffix) {
    std::u16string s(sKey);
    s += sSuffix;
    return s;
}

} // namespace

std::int32_t TMyIniFile::ReadInteger(std::u16string_view sSection, std::u16string_view sKey,
                                     std::int32_t iDefault) {
    const std::u16string sValue = ReadString(sSection, sKey, DecimalText(iDefault));
    const std::int64_t iValue = StrToInt64Lenient(sValue, false);
    if (iValue < INT32_MIN || iValue > INT32_MAX) {
        FLastRangeError =
            TMyIniRangeError{std::u16string(TrimText(sSection)), std::u16string(sKey), sValue};
        ++FiRangeErrors;
        return iDefault;
    }
    return static_cast<std::int32_t>(iValue);
}

void TMyIniFile::WriteInteger(std::u16string_view sSection, std::u16string_view sKey,
                              std::int32_t iValue) {
    WriteString(sSection, sKey, DecimalText(iValue));
}

bool TMyIniFile::ReadBool(std::u16string_view sSection, std::u16string_view sKey, bool bDefault) {
    return ReadInteger(sSection, sKey, bDefault ? 1 : 0) != 0;
}

void TMyIniFile::SetBool(std::u16string_view sSection, std::u16string_view sKey, bool& bValue) {
    bValue = ReadBool(sSection, sKey, bValue);
}

void TMyIniFile::WriteBool(std::u16string_view sSection, std::u16string_view sKey, bool bValue) {
    WriteString(sSection, sKey, bValue ? u"1" : u"0");
}

double TMyIniFile::ReadFloat(std::u16string_view sSection, std::u16string_view sKey,
                             double fDefault) {
    const char16_t cSeparator = LocaleDecimalSeparator();
    const std::u16string sValue =
        ReadString(sSection, sKey, FloatToGeneralText(fDefault, cSeparator));
    return GeneralTextToFloat(sValue, cSeparator).value_or(0.0);
}

void TMyIniFile::WriteFloat(std::u16string_view sSection, std::u16string_view sKey, double fValue) {
    WriteString(sSection, sKey, FloatToGeneralText(fValue, LocaleDecimalSeparator()));
}

void TMyIniFile::ReadIntegers(std::u16string_view sSection, std::u16string_view sKey,
                              std::span<const std::u16string_view> aSuffixes,
                              std::span<std::int32_t> aValues) {
    for (std::size_t i = 0; i < aSuffixes.size() && i < aValues.size(); ++i)
        aValues[i] = ReadInteger(sSection, KeyWith(sKey, aSuffixes[i]), aValues[i]);
}

void TMyIniFile::WriteIntegers(std::u16string_view sSection, std::u16string_view sKey,
                               std::span<const std::u16string_view> aSuffixes,
                               std::span<const std::int32_t> aValues) {
    for (std::size_t i = 0; i < aSuffixes.size() && i < aValues.size(); ++i)
        WriteInteger(sSection, KeyWith(sKey, aSuffixes[i]), aValues[i]);
}

TMyRect TMyIniFile::ReadRect(std::u16string_view sSection, std::u16string_view sKey,
                             const TMyRect& rcDefault) {
    std::int32_t v[] = {rcDefault.Left, rcDefault.Top, rcDefault.Right, rcDefault.Bottom};
    ReadIntegers(sSection, sKey, kRectKeys, v);
    return {v[0], v[1], v[2], v[3]};
}

void TMyIniFile::WriteRect(std::u16string_view sSection, std::u16string_view sKey,
                           const TMyRect& rcValue) {
    const std::int32_t v[] = {rcValue.Left, rcValue.Top, rcValue.Right, rcValue.Bottom};
    WriteIntegers(sSection, sKey, kRectKeys, v);
}

TMyPoint TMyIniFile::ReadPoint(std::u16string_view sSection, std::u16string_view sKey,
                               TMyPoint ptDefault) {
    std::int32_t v[] = {ptDefault.X, ptDefault.Y};
    ReadIntegers(sSection, sKey, kPointKeys, v);
    return {v[0], v[1]};
}

void TMyIniFile::WritePoint(std::u16string_view sSection, std::u16string_view sKey,
                            TMyPoint ptValue) {
    WriteIntegers(sSection, sKey, kPointKeys, std::array{ptValue.X, ptValue.Y});
}

TMySize TMyIniFile::ReadSize(std::u16string_view sSection, std::u16string_view sKey,
                             TMySize szDefault) {
    std::int32_t v[] = {szDefault.cx, szDefault.cy};
    ReadIntegers(sSection, sKey, kSizeKeys, v);
    return {v[0], v[1]};
}

void TMyIniFile::WriteSize(std::u16string_view sSection, std::u16string_view sKey,
                           TMySize szValue) {
    WriteIntegers(sSection, sKey, kSizeKeys, std::array{szValue.cx, szValue.cy});
}

void TMyIniFile::SetFont(std::u16string_view sSection, std::u16string_view sKey,
                         TMyFontValue& Font) {
    Font.sName = ReadString(sSection, KeyWith(sKey, u"_FontName"), Font.sName);
    Font.iSize = ReadInteger(sSection, KeyWith(sKey, u"_FontSize"), Font.iSize);
    Font.iColor = ReadInteger(sSection, KeyWith(sKey, u"_FontColor"), Font.iColor);
    const TMyFontValue old = Font;
    Font.bBold = ReadBool(sSection, KeyWith(sKey, u"_FontStyleBold"), old.bBold);
    Font.bItalic = ReadBool(sSection, KeyWith(sKey, u"_FontStyleItalic"), old.bItalic);
    Font.bUnderLine = ReadBool(sSection, KeyWith(sKey, u"_FontStyleUnderLine"), old.bUnderLine);
    Font.bStrikeOut = ReadBool(sSection, KeyWith(sKey, u"_FontStyleStrikeOut"), old.bStrikeOut);
    Font.iCharset =
        std::clamp(ReadInteger(sSection, KeyWith(sKey, u"_FontCharset"), Font.iCharset), 0, 255);
}

void TMyIniFile::WriteFont(std::u16string_view sSection, std::u16string_view sKey,
                           const TMyFontValue& Font) {
    WriteString(sSection, KeyWith(sKey, u"_FontName"), Font.sName);
    WriteInteger(sSection, KeyWith(sKey, u"_FontSize"), Font.iSize);
    WriteInteger(sSection, KeyWith(sKey, u"_FontColor"), Font.iColor);
    WriteBool(sSection, KeyWith(sKey, u"_FontStyleBold"), Font.bBold);
    WriteBool(sSection, KeyWith(sKey, u"_FontStyleItalic"), Font.bItalic);
    WriteBool(sSection, KeyWith(sKey, u"_FontStyleUnderLine"), Font.bUnderLine);
    WriteBool(sSection, KeyWith(sKey, u"_FontStyleStrikeOut"), Font.bStrikeOut);
    WriteInteger(sSection, KeyWith(sKey, u"_FontCharset"), Font.iCharset);
}

TMyRect TMyIniFile::ReadMonitorBoundsRect(std::u16string_view sSection, std::u16string_view sKey,
                                          const TMyRect& rcDefault) {
    const TMyRect r = ReadRect(sSection, sKey, rcDefault);
    // Without any monitor (no display) there is nothing to keep the window on.
    const TMyMonitorHandle hMonitor = GetRectMonitor(r);
    if (hMonitor == 0)
        return r;
    const TMyRect m = GetMonitorWorkarea(hMonitor);
    const std::int64_t w = RectWidth64(r);
    const std::int64_t h = RectHeight64(r);
    const std::int64_t left =
        w < RectWidth64(m) ? ClampFirstLow(r.Left, m.Left, std::int64_t{m.Right} - w) : m.Left;
    const std::int64_t top =
        h < RectHeight64(m) ? ClampFirstLow(r.Top, m.Top, std::int64_t{m.Bottom} - h) : m.Top;
    return {SaturateInt32(left), SaturateInt32(top), SaturateInt32(left + w),
            SaturateInt32(top + h)};
}

} // namespace skivra
