#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace skivra {

// Small text utilities shared by the lists, the settings file and the info panel.
// Case-insensitive here always means the ASCII letters a to z only: file names, option
// names and INI names are compared that way, and full-width letters stay distinct.

char16_t UpperCaseAscii(char16_t c);
std::u16string UpperCaseAscii(std::u16string_view sText);
bool SameTextAscii(std::u16string_view s1, std::u16string_view s2);
// Ordinal comparison of UTF-16 units, optionally with a to z folded to upper case; a
// string that is a prefix of the other sorts first. Negative, 0 or positive.
int32_t CompareTextAscii(std::u16string_view s1, std::u16string_view s2, bool bCaseSensitive);

// Blanks and control characters (code 32 and below) removed from both ends.
std::u16string_view TrimText(std::u16string_view sText);

// Every non-overlapping occurrence of sOld, found from the left, replaced by sNew. Without
// case sensitivity the occurrences are looked for with ASCII letters folded.
std::u16string ReplaceText(std::u16string_view sText, std::u16string_view sOld,
                           std::u16string_view sNew, bool bCaseSensitive);
std::u16string ReplaceAll(std::u16string_view sText, std::u16string_view sOld,
                          std::u16string_view sNew);

// Full-width forms (letters, digits, signs, the ideographic space, katakana) turned into
// their half-width forms.
std::u16string ToHalfWidth(std::u16string_view sText);

// The settings file's integer reading: tolerates thousands separators, full-width digits,
// trailing units and bare hexadecimal ("1,024" is 1024, "12px" 12, "FF" 255, "true" 0).
// Text that holds no number gives 0. With bHex the digits collected are read as
// hexadecimal.
int64_t StrToInt64Lenient(std::u16string_view sText, bool bHex = false);

bool TextInArray(std::u16string_view sText, std::span<const std::u16string> aArray);
bool TextInList(std::u16string_view sText, const std::vector<std::u16string>& slList);

// Playing times: 65 seconds show as "1:05", 3600 as "1:00:00", 7 as "7", 0 as "0".
std::u16string FormatSeconds(int64_t iSeconds);
// With iDigits fraction digits: 0.5 s and 3 digits is "0.500", -75.25 s and 1 digit is
// "-1:15.2". iDigits of 0 or less rounds to whole seconds.
std::u16string FormatSecondsFraction(int32_t iDigits, double fSeconds);

} // namespace skivra
