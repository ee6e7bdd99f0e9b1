#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace skivra {

// The user's locale ordering of texts, as the text parts of the natural orderings need it:
// letter case and accents are ignored, width (half-width against full-width forms) and kana
// type (hiragana against katakana) are not, and punctuation and symbols sort as ordinary
// characters instead of being skipped.

// -1 when a sorts first, 0 when the locale calls the two equal, 1 otherwise.
int CompareLocaleText(std::u16string_view a, std::u16string_view b);

// Appends the text's sort key to sKey. Two texts compare under CompareLocaleText exactly as
// their keys compare byte by byte (unsigned, a key that is the start of the other first), so
// a sort can turn each entry into a key once instead of asking the collator per comparison.
void AppendLocaleSortKey(std::u16string_view sText, std::string& sKey);

// The locale the comparison follows: LC_ALL, else LC_COLLATE, else LANG, with any codeset
// and modifier removed ("ja_JP.UTF-8" is "ja_JP"); empty (the root ordering) when none is
// set or the value is "C" or "POSIX".
std::string CollationLocaleFromEnvironment();

// Switches the comparison to the given locale ("ja_JP", "en_US", empty for the root
// ordering), or back to the environment's with nothing. Meant for start-up and tests: no
// other thread may compare while it runs.
void SetCollationLocale(std::optional<std::string> sLocale);

// The locale the comparison is using now.
std::string GetCollationLocale();

} // namespace skivra
