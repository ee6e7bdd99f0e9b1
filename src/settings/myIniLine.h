#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace skivra {

// The line rules of the settings file. A settings file is often edited by hand or written
// by another program, so each rule accepts what such files hold (remarks, blank lines,
// stray brackets, keys without "=") and only recognises what is unambiguous.

// The section name of a header line "[name]": the trimmed text between the "[" that starts
// the trimmed line and the first "]" after it; anything after the "]" is a remark. Nothing
// for empty or blank brackets, an unclosed "[" and every other line.
std::optional<std::u16string_view> IniSectionName(std::u16string_view sLine);

// The key name of a line "name=value": the trimmed text before the first "=", when that
// "=" is not the first character and has more than blanks before it. Empty otherwise
// (blank lines, remarks without "=", lines without a name).
std::u16string_view IniKeyName(std::u16string_view sLine);

// Everything after the first "=", unchanged; empty when there is no "=".
std::u16string_view IniKeyValue(std::u16string_view sLine);

// Section and key names compare with SameTextAscii (the ASCII letters a to z folded, every
// other character exact) and are trimmed with TrimText (lists/myString.h).

} // namespace skivra
