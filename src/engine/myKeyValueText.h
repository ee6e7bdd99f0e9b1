#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace skivra {

// The small "name=value" files of the wallpaper takeover (its journal, the test store):
// UTF-8, one pair per line. File names may hold any character but NUL, line breaks
// included, so "\" and line breaks in values are escaped ("\\", "\n", "\r").
using TMyKeyValues = std::vector<std::pair<std::u16string, std::u16string>>;

std::string FormatKeyValueText(const TMyKeyValues& values);
// Nothing when the text is not UTF-8 or a line has no "=" or a bad escape.
std::optional<TMyKeyValues> ParseKeyValueText(std::string_view sText);

// The value of the first pair with that name.
std::optional<std::u16string> FindKeyValue(const TMyKeyValues& values, std::u16string_view sName);
// Replaces the first pair with that name, or appends one.
void SetKeyValue(TMyKeyValues& values, std::u16string_view sName, std::u16string_view sValue);

} // namespace skivra
