#pragma once

#include <string>
#include <string_view>

namespace skivra {

// Conversions between UTF-16 text and the byte forms of the text-file encodings, through
// ICU's converters. The ANSI code page is Shift-JIS in its Windows form (code page 932:
// 0x5C is the backslash, 0x8160 is U+FF5E, the NEC and IBM extensions such as the circled
// numbers are included), so files keep their meaning when they travel between systems.
//
// Decoding never fails: a byte sequence that is not valid in the encoding becomes U+FFFD.
// Encoding replaces a character that the encoding cannot hold by its best-fit form when
// there is one, else by "?". An encoding function throws std::runtime_error only when the
// converter itself cannot be used.

std::u16string Utf8ToUnicode(std::string_view sBytes);
// A lone surrogate becomes U+FFFD.
std::string UnicodeToUtf8(std::u16string_view sText);
std::u16string Utf7ToUnicode(std::string_view sBytes);
std::string UnicodeToUtf7(std::u16string_view sText);
// ISO-2022-JP; half-width katakana are written as their full-width forms (ｶﾞ as ガ).
std::u16string JisToUnicode(std::string_view sBytes);
std::string UnicodeToJis(std::u16string_view sText);
std::u16string EucToUnicode(std::string_view sBytes);
std::string UnicodeToEuc(std::u16string_view sText);
std::u16string AnsiToUnicode(std::string_view sBytes);
// A base character followed by a combining mark is written precomposed where the code page
// has the composed character (か + U+3099 becomes が).
std::string UnicodeToAnsi(std::u16string_view sText);

// true when some character of the text has no exact (round-trip, not best-fit) form in the
// ANSI code page, so writing it there would change the text.
bool NeedsUnicode(std::u16string_view sText);

} // namespace skivra
