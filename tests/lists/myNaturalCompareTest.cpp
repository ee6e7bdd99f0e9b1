#include "lists/myNaturalCompare.h"
#include "lists/myLocaleCompare.h"
#include "lists/myMergeSort.h"
#include "lists/myNaturalSortKey.h"
#include "lists/myString.h"
#include "support/myUnicode.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <string>
#include <vector>

namespace skivra {
namespace {

using TMyCompare = int (*)(std::u16string_view, std::u16string_view);

// Every pair is checked both ways round.
void ExpectOrdered(TMyCompare fnCompare, std::u16string_view a, std::u16string_view b) {
    EXPECT_LT(fnCompare(a, b), 0) << Utf16ToUtf8(a) << " before " << Utf16ToUtf8(b);
    EXPECT_GT(fnCompare(b, a), 0) << Utf16ToUtf8(b) << " after " << Utf16ToUtf8(a);
}

void ExpectEqual(TMyCompare fnCompare, std::u16string_view a, std::u16string_view b) {
    EXPECT_EQ(fnCompare(a, b), 0) << Utf16ToUtf8(a) << " = " << Utf16ToUtf8(b);
    EXPECT_EQ(fnCompare(b, a), 0) << Utf16ToUtf8(b) << " = " << Utf16ToUtf8(a);
}

class NaturalCompare : public testing::Test {
protected:
    void SetUp() override { SetCollationLocale("ja_JP"); }
    void TearDown() override { SetCollationLocale(std::nullopt); }
};

TEST(CaseRules, FoldOnlyTheAsciiLetters) {
    EXPECT_EQ(UpperCaseAscii(u"aZé ａ-q"), u"AZé ａ-Q");
    EXPECT_EQ(CompareTextAscii(u"abc", u"ABC", false), 0);
    EXPECT_LT(CompareTextAscii(u"ab", u"abc", false), 0);
    EXPECT_LT(CompareTextAscii(u"a", u"B", false), 0);
    // Letters fold to upper case, so "[" (after "Z") sorts after every letter.
    EXPECT_GT(CompareTextAscii(u"[", u"a", false), 0);
    EXPECT_NE(CompareTextAscii(u"é", u"É", false), 0);
    EXPECT_NE(CompareTextAscii(u"ａ", u"Ａ", false), 0);
    // Code units compare unsigned: a high code unit sorts after ASCII.
    EXPECT_GT(CompareTextAscii(u"\xFF21", u"z", false), 0);
}

TEST_F(NaturalCompare, OrdersNumbersOfEveryFormByValue) {
    const std::pair<const char16_t*, const char16_t*> ordered[] = {
        {u"file2.avi", u"file10.avi"},
        {u"２.avi", u"10.avi"},
        {u"第二話", u"第十話"},
        {u"第十話", u"第十一話"},
        {u"十二", u"百"},
        {u"⑲", u"⑳"},
        {u"⑨", u"⑩"},
        {u"Ⅸ", u"Ⅹ"},
        {u"x0", u"x"}, // equal values; the empty rest sorts first
        {u"track 2.flac", u"Track 10.flac"},
        {u"第１話", u"第十話"},
        {u"十万", u"二十万"},
        {u"二十万", u"二十一万"},
        {u"二十一万", u"三千万"},
        {u"rec 99999999999999999999.ts", u"rec 100000000000000000000.ts"},
        {u"rec 123456789012345678901234.ts", u"rec 123456789012345678901235.ts"},
        {u"a-b", u"ab"}, // punctuation is not skipped
        {u"Disc 2 of 3", u"Disc 2 of 10"},
        {u"", u"a"},
    };
    for (const auto& [a, b] : ordered) {
        ExpectOrdered(CompareNaturalPath, a, b);
        ExpectOrdered(CompareNaturalText, a, b);
    }
}

TEST_F(NaturalCompare, PathsCompareFolderFirstThenName) {
    const std::pair<const char16_t*, const char16_t*> ordered[] = {
        {u"/a/z.mp3", u"/b/a.mp3"},
        {u"/a/2.txt", u"/a/10.txt"},
        {u"/disc 2/z.mp3", u"/disc 10/a.mp3"},
        {u"/music/z.mp3", u"/music/sub/a.mp3"}, // a folder's own files before its sub-folders'
        {u"name.mp3", u"/a/name.mp3"},          // no folder: the empty folder sorts first
        {u"b.mp3", u"c.mp3"},
    };
    for (const auto& [a, b] : ordered) {
        ExpectOrdered(CompareNaturalPath, a, b);
    }
    // The name alone would order these the other way round.
    EXPECT_GT(CompareNaturalText(u"z.mp3", u"a.mp3"), 0);
}

TEST_F(NaturalCompare, EqualWhenOnlyAsciiCaseOrLeadingZerosDiffer) {
    const std::pair<const char16_t*, const char16_t*> equal[] = {
        {u"a01", u"a1"},
        {u"File.MP3", u"file.mp3"},
        {u"/Music/A.mp3", u"/music/a.MP3"},
        {u"", u""},
    };
    for (const auto& [a, b] : equal) {
        ExpectEqual(CompareNaturalPath, a, b);
        ExpectEqual(CompareNaturalText, a, b);
        ExpectEqual(CompareFilePath, a, b);
    }
}

// Prefixes that the locale calls equal but that are other letters: the longer one first, and
// at equal length each side answers that it is the later one.
TEST_F(NaturalCompare, LocaleEqualPrefixesThatDifferPutTheLongerFirst) {
    EXPECT_LT(CompareNaturalText(u"cafe\u0301 2", u"café 1"), 0); // combining accent: longer
    EXPECT_GT(CompareNaturalText(u"café 1", u"cafe\u0301 2"), 0);
    EXPECT_GT(CompareNaturalText(u"café 1", u"cafe 2"), 0);
    EXPECT_GT(CompareNaturalText(u"cafe 2", u"café 1"), 0);
    EXPECT_GT(CompareNumberedText(u"café 1", u"cafe 2"), 0);
    EXPECT_GT(CompareNumberedText(u"cafe 2", u"café 1"), 0);
}

TEST_F(NaturalCompare, FilePathCountsAsciiDigitRunsOnly) {
    const std::pair<const char16_t*, const char16_t*> ordered[] = {
        {u"/A/2.txt", u"/A/10.txt"},
        {u"/A/z.txt", u"/B/a.txt"},
        {u"/A/z.txt", u"/A/sub/a.txt"},
        {u"name.txt", u"/A/name.txt"},
        {u"10.txt", u"２.txt"}, // a full-width digit is a letter here
        {u"第十話", u"第二話"}, // and so are kanji numerals (ordered as text)
        {u"log 99999999999999999999", u"log 100000000000000000000"},
        {u"v1.2.9", u"v1.2.10"},
        {u"a", u"a0"},
    };
    for (const auto& [a, b] : ordered) {
        ExpectOrdered(CompareFilePath, a, b);
    }
    ExpectEqual(CompareFilePath, u"/A/FILE.txt", u"/A/file.txt");
    ExpectEqual(CompareNumberedText, u"track007", u"TRACK7");
}

// A stable sort keeps entries that compare equal in the order they came.
TEST_F(NaturalCompare, MergeSortKeepsEqualEntriesInOrder) {
    const std::vector<std::u16string> texts = {u"b", u"A1", u"a01", u"B", u"a1", u"A01", u"c"};
    std::vector<int> order(texts.size());
    std::iota(order.begin(), order.end(), 0);
    MergeSortIndexes(
        order,
        [&](int i, int j) {
            return CompareNaturalPath(texts[static_cast<std::size_t>(i)],
                                      texts[static_cast<std::size_t>(j)]);
        },
        [] {});
    EXPECT_EQ(order, (std::vector<int>{1, 2, 4, 5, 0, 3, 6}));
}

// Names from a Japanese anime and music collection, in the order a person expects: numbered
// tracks first (no text before the number), then Latin letters, kana, kanji; episode numbers
// in any digit form by value; disc folders in Roman numerals; a folder's own files before its
// sub-folders; 十万 < 二十万 < 二十一万; a 21-digit recording stamp by value; kanji folders in
// the Japanese order (音 before 録).
TEST_F(NaturalCompare, SortsAJapaneseCollectionAsAPersonWould) {
    const std::vector<std::u16string> expected = {
        u"/アニメ/魔法少女 第2期/01 オープニング.mkv",
        u"/アニメ/魔法少女 第2期/02 夜明け.mkv",
        u"/アニメ/魔法少女 第2期/10 エンディング.mkv",
        u"/アニメ/魔法少女 第2期/ＯＰ①.mp4",
        u"/アニメ/魔法少女 第2期/ＯＰ②.mp4",
        u"/アニメ/魔法少女 第2期/ＯＰ⑩.mp4",
        u"/アニメ/魔法少女 第2期/第1話 旅立ち.mkv",
        u"/アニメ/魔法少女 第2期/第２話 出会い.mkv",
        u"/アニメ/魔法少女 第2期/第十話 決戦.mkv",
        u"/アニメ/魔法少女 第2期/第十一話 別れ.mkv",
        u"/アニメ/魔法少女 第2期/第十二話 ＯＰ.mp4",
        u"/アニメ/魔法少女 第10期/第一話.mkv",
        u"/音楽/ライブ/十万人ライブ.flac",
        u"/音楽/ライブ/二十万人ライブ.flac",
        u"/音楽/ライブ/二十一万人ライブ.flac",
        u"/音楽/星の歌/cover.jpg",
        u"/音楽/星の歌/Disc Ⅰ/Track 1.flac",
        u"/音楽/星の歌/Disc Ⅰ/track 2.flac",
        u"/音楽/星の歌/Disc Ⅰ/Track 10.flac",
        u"/音楽/星の歌/Disc Ⅱ/Track 1.flac",
        u"/音楽/星の歌/Disc Ⅸ/Track 1.flac",
        u"/音楽/星の歌/Disc Ⅹ/Track 1.flac",
        u"/録画/番組 9.ts",
        u"/録画/番組 202401312359591234567.ts",
        u"/録画/番組 202401312359591234568.ts",
    };
    std::vector<std::u16string> shuffled = expected;
    std::mt19937 random(5);
    std::shuffle(shuffled.begin(), shuffled.end(), random);

    TMyNaturalSortKeys keys(TMyNaturalOrder::Path);
    for (const std::u16string& sPath : shuffled) {
        keys.Add(sPath);
    }
    std::vector<int> pairwise(shuffled.size());
    std::iota(pairwise.begin(), pairwise.end(), 0);
    std::vector<int> byKeys = pairwise;
    MergeSortIndexes(
        pairwise,
        [&](int i, int j) {
            return CompareNaturalPath(shuffled[static_cast<std::size_t>(i)],
                                      shuffled[static_cast<std::size_t>(j)]);
        },
        [] {});
    MergeSortIndexes(
        byKeys,
        [&](int i, int j) {
            return keys.Compare(static_cast<std::size_t>(i), static_cast<std::size_t>(j));
        },
        [] {});
    std::vector<std::u16string> sorted;
    for (const int i : pairwise) {
        sorted.push_back(shuffled[static_cast<std::size_t>(i)]);
    }
    EXPECT_EQ(sorted, expected);
    EXPECT_EQ(byKeys, pairwise);
}

} // namespace
} // namespace skivra
