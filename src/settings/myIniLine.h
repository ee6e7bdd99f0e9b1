#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace skivra {

// The line rules of the settings file. A settings file is often edited by hand or written
// by another program, so each rule accepts what such files hold (remarks, blank lines,
// stray brackets, keys without "=") and only recognises what is unambiguous.

// Removes leading and trailing characters whose code is 32 or less (blanks and control
// characters). Full-width spaces are kept.
std::u16string_view IniTrim(std::u16string_view sText);

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

// Section and key names match when equal after folding the ASCII letters a to z; every
// other character, full-width letters included, must match exactly.
bool IniSameName(std::u16string_view a, std::u16string_view b);

// The same folding, for keys of hash sets of names.
std::u16string IniFoldName(std::u16string_view sName);

} // namespace skivra
