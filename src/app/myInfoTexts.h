#pragma once

#include <cstdint>
#include <string>

namespace skivra {

class TMyCustomTag;

// The texts of the information grid and of the seek bar's hints.

// The labels of the grid's four rows, top to bottom.
inline constexpr const char16_t* kInfoRowLabels[] = {u"タイトル", u"アーティスト", u"アルバム",
                                                     u"ファイル情報"};
// Row 3 for an entry whose file is gone.
inline constexpr char16_t kInfoNoFile[] = u"ファイルが存在しません";

// A name with the original one after "//" when the record knows it: "Artist//Original".
std::u16string InfoWithOriginal(const std::u16string& sName, const std::u16string& sOriginal);

// The file summary of row 3: "640x360 29.97fps 3:00秒 1.0MB (date time)". The size and rate
// part appears only for what the record knows (both sides positive, a positive rate).
std::u16string InfoSummaryText(const TMyCustomTag& ATag);

// A seek bar value (tenths of a second) as its hint: the seconds with one decimal and 秒,
// "1:05.5秒".
std::u16string SeekHintText(double fTenths);

} // namespace skivra
