#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace skivra {

// Strings live as UTF-16 in memory and as UTF-8 on disk and on the command line; these are
// the only two conversions between them. Both are strict: an ill-formed sequence is never
// turned silently into something else, because a mangled file name would point at another
// file or at none.

// Decodes UTF-8. Returns nothing when the text is not well-formed UTF-8.
std::optional<std::u16string> Utf8ToUtf16(std::string_view sText);

// Encodes UTF-16 as UTF-8. A lone surrogate cannot be encoded; it becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view sText);

} // namespace skivra
