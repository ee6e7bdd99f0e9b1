#pragma once

#include <cstdint>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace skivra::test {

// Random names built to hit every branch of the natural comparisons: ASCII and full-width
// digits (leading zeros, runs far beyond 64 bits), kanji numerals with every multiplier in
// orders that stop a numeral early, circled and Roman numerals, letters that differ only in
// case, accents (precomposed and combining), width or kana type, punctuation, and the three
// path separators with empty segments between them. Half of the names are edits of earlier
// ones, so that pairs share long starts and reach the deep steps of the comparison.
class TMyNastyNames {
public:
    explicit TMyNastyNames(std::uint32_t iSeed) : FRandom(iSeed) {}

    std::u16string Next() {
        if (!FNames.empty() && Pick(2) == 0) {
            std::u16string sName = FNames[Pick(FNames.size())];
            const std::size_t iPos = Pick(sName.size() + 1);
            sName.insert(iPos, Piece());
            if (!sName.empty() && Pick(3) == 0) {
                sName.erase(Pick(sName.size()), 1);
            }
            return Keep(std::move(sName));
        }
        std::u16string sName;
        const std::size_t iPieces = Pick(9);
        for (std::size_t i = 0; i < iPieces; ++i) {
            sName += Piece();
        }
        return Keep(std::move(sName));
    }

    std::size_t Pick(std::size_t n) {
        return n == 0 ? 0 : std::uniform_int_distribution<std::size_t>(0, n - 1)(FRandom);
    }

private:
    const std::u16string& Piece() {
        static const std::u16string kPieces[] = {u"a",
                                                 u"A",
                                                 u"b",
                                                 u"B",
                                                 u"z",
                                                 u"é",
                                                 u"e\u0301",
                                                 u"E",
                                                 u"É",
                                                 u"ß",
                                                 u"ss",
                                                 u"ａ",
                                                 u"Ａ",
                                                 u"ｂ",
                                                 u"0",
                                                 u"1",
                                                 u"2",
                                                 u"9",
                                                 u"10",
                                                 u"007",
                                                 u"00",
                                                 u"123456789012345678901234567890",
                                                 u"99999999999999999999",
                                                 u"０",
                                                 u"１",
                                                 u"２",
                                                 u"１０",
                                                 u"〇",
                                                 u"一",
                                                 u"二",
                                                 u"三",
                                                 u"九",
                                                 u"十",
                                                 u"百",
                                                 u"千",
                                                 u"万",
                                                 u"萬",
                                                 u"拾",
                                                 u"佰",
                                                 u"阡",
                                                 u"壱",
                                                 u"弐",
                                                 u"零",
                                                 u"①",
                                                 u"⑨",
                                                 u"⑩",
                                                 u"⑪",
                                                 u"⑳",
                                                 u"Ⅰ",
                                                 u"Ⅲ",
                                                 u"Ⅸ",
                                                 u"Ⅹ",
                                                 u"/",
                                                 u"/",
                                                 u"//",
                                                 u":",
                                                 u"\\",
                                                 u" ",
                                                 u"-",
                                                 u"_",
                                                 u".",
                                                 u".mp3",
                                                 u"第",
                                                 u"話",
                                                 u"あ",
                                                 u"ア",
                                                 u"ｱ",
                                                 u"が",
                                                 u"か",
                                                 u"ぁ",
                                                 u"ー",
                                                 u"ｰ",
                                                 u"track",
                                                 u"Track",
                                                 u"TRACK",
                                                 u"Ⓐ",
                                                 u"\u00a0",
                                                 u""};
        return kPieces[Pick(std::size(kPieces))];
    }

    std::u16string Keep(std::u16string sName) {
        FNames.push_back(sName);
        return sName;
    }

    std::mt19937 FRandom;
    std::vector<std::u16string> FNames;
};

} // namespace skivra::test
