#include "lists/myNumeral.h"
#include "support/myUnicode.h"

#include <gtest/gtest.h>

namespace skivra {
namespace {

struct TMyNumeralCase {
    const char16_t* sText;
    const char16_t* sPrefix;
    const char* sValue; // decimal digits, "" for 0
    const char16_t* sRest;
};

TEST(ReadNumeral, ReadsEveryFormAndStopsWhereTheNumeralEnds) {
    const TMyNumeralCase cases[] = {
        {u"十", u"", "10", u""},
        {u"二十一", u"", "21", u""},
        {u"百二十", u"", "120", u""},
        {u"二千〇十", u"", "2010", u""}, // the 〇 before 十 leaves the ten standing alone
        {u"十五万", u"", "150000", u""},
        {u"⑫", u"", "12", u""},
        {u"ⅢⅣ", u"", "34", u""}, // digit strings join
        {u"第十話", u"第", "10", u"話"},
        {u"第十一話", u"第", "11", u"話"},
        {u"file2.avi", u"file", "2", u".avi"},
        {u"２.avi", u"", "2", u".avi"},
        {u"１０", u"", "10", u""},
        {u"壱萬弐阡参佰肆拾伍", u"", "12345", u""}, // the formal forms
        {u"陸柒漆質捌玖零", u"", "6777890", u""},
        {u"⑳", u"", "20", u""},
        {u"Ⅸ", u"", "9", u""},
        {u"Ⅹ", u"", "10", u""},
        {u"a01", u"a", "1", u""},
        {u"x0", u"x", "", u""},
        // Without a numeral the prefix is the whole text and the rest its last character.
        {u"abc", u"abc", "", u"c"},
        {u"", u"", "", u""},
        // A multiplier that may not follow what came before ends the numeral there.
        {u"十十", u"", "10", u"十"},
        {u"百百", u"", "100", u"百"},
        {u"十百", u"", "10", u"百"},
        {u"百千", u"", "100", u"千"},
        {u"万万", u"", "10000", u"万"},
        {u"千百十一", u"", "1111", u""},
        {u"一万二千", u"", "12000", u""},
        {u"Disc 2 of 3", u"Disc ", "2", u" of 3"},
    };
    for (const TMyNumeralCase& c : cases) {
        const TMyNumeral numeral = ReadNumeral(c.sText);
        const std::string sText = Utf16ToUtf8(c.sText);
        EXPECT_EQ(numeral.sPrefix, c.sPrefix) << sText;
        EXPECT_EQ(numeral.Value.Digits(), c.sValue) << sText;
        EXPECT_EQ(numeral.sRest, c.sRest) << sText;
    }
}

// 万 multiplies the whole group before it: a multiplier or a zero standing directly before
// it adds no implicit one.
TEST(ReadNumeral, ReadsTenThousandsAsNumbersAreRead) {
    const std::pair<const char16_t*, const char*> cases[] = {
        {u"二十万", "200000"},     {u"十万", "100000"},      {u"三千万", "30000000"},
        {u"二十一万", "210000"},   {u"百万", "1000000"},     {u"万", "10000"},
        {u"10万", "100000"},       {u"１００万", "1000000"}, {u"第万", "10000"},
        {u"五千万円", "50000000"},
    };
    for (const auto& [sText, sValue] : cases) {
        EXPECT_EQ(ReadNumeral(sText).Value.Digits(), sValue) << Utf16ToUtf8(sText);
    }
    EXPECT_LT(ReadNumeral(u"二十万").Value, ReadNumeral(u"二十一万").Value);
}

// Digit runs longer than any integer type keep their exact value.
TEST(ReadNumeral, KeepsTheValueOfRunsBeyondSixtyFourBits) {
    const TMyNumeral numeral = ReadNumeral(u"rec_000123456789012345678901234567890.ts");
    EXPECT_EQ(numeral.Value.Digits(), "123456789012345678901234567890");
    EXPECT_EQ(numeral.sRest, u".ts");
    EXPECT_FALSE(numeral.Value.ToInt64().has_value());
    EXPECT_EQ(ReadNumeral(u"9223372036854775807").Value.ToInt64(), INT64_MAX);
    EXPECT_FALSE(ReadNumeral(u"9223372036854775808").Value.ToInt64().has_value());
    EXPECT_EQ(ReadNumeral(u"99999999999999999999万").Value.Digits(), "999999999999999999990000");
}

TEST(CompareDigitRuns, ComparesByValueWhateverTheLength) {
    EXPECT_EQ(CompareDigitRuns(u"2", u"10"), std::strong_ordering::less);
    EXPECT_EQ(CompareDigitRuns(u"0010", u"10"), std::strong_ordering::equal);
    EXPECT_EQ(CompareDigitRuns(u"", u"0"), std::strong_ordering::equal);
    EXPECT_EQ(
        CompareDigitRuns(u"123456789012345678901234567891", u"123456789012345678901234567890"),
        std::strong_ordering::greater);
    EXPECT_EQ(CompareDigitRuns(u"99999999999999999999", u"100000000000000000000"),
              std::strong_ordering::less);
}

TEST(SplitAtNumber, SplitsAtTheFirstAsciiDigitRun) {
    const TMyNumberSplit split = SplitAtNumber(u"track 012b3");
    EXPECT_EQ(split.sPrefix, u"track ");
    EXPECT_EQ(split.sNumber, u"012");
    EXPECT_EQ(split.sRest, u"b3");
    const TMyNumberSplit none = SplitAtNumber(u"第十話２");
    EXPECT_EQ(none.sPrefix, u"第十話２"); // only ASCII digits count here
    EXPECT_TRUE(none.sNumber.empty());
    EXPECT_TRUE(none.sRest.empty());
}

} // namespace
} // namespace skivra
