#pragma once

#include <string_view>

namespace skivra {

// The two natural orderings of names: numbers inside a text compare by value ("2" before
// "10"), everything else by the user's locale with letter case and accents ignored. Both
// compare a path folder first and name second (the native path rules: only "/" separates).
// Results are negative when a sorts first, 0 when equal, positive otherwise; only the sign
// carries meaning. Entries that compare equal are meant to keep their order (stable sorts).
//
// These functions read the texts afresh on every call. A sort of many entries goes faster
// through TMyNaturalSortKeys (lists/myNaturalSortKey.h), which gives the same answers.

// Runs of the ASCII digits 0 to 9 only: the file comparison of the path lists.
int CompareFilePath(std::u16string_view a, std::u16string_view b);
int CompareNumberedText(std::u16string_view a, std::u16string_view b);

// Every numeral form ReadNumeral knows (full-width digits, kanji, circled, Roman): the
// comparison of every sort the user sees.
int CompareNaturalPath(std::u16string_view a, std::u16string_view b);
int CompareNaturalText(std::u16string_view a, std::u16string_view b);

} // namespace skivra
