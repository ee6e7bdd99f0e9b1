#include "lists/myString.h"
#include "lists/myNumber.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <stdexcept>

namespace skivra {
namespace {

std::string Narrow(std::u16string_view s) {
    std::string r;
    for (char16_t c : s) {
        r += c < 0x80 ? static_cast<char>(c) : '?';
    }
    return r;
}

TEST(StrToInt64Lenient, ReadsWhatPeopleWriteInSettings) {
    struct Case {
        std::u16string sText;
        bool bHex;
        int64_t iExpected;
    };
    const Case aCases[] = {
        {u"1,024", false, 1024},
        {u"12px", false, 12},
        {u"1.5", false, 1},
        {u"FF", false, 255},
        {u"1A", false, 26},
        {u"abc", false, 2748},
        {u"true", false, 0},
        {u"－５", false, -5},
        {u"0x1F", false, 31},
        {u"  42  ", false, 42},
        {u"+7", false, 7},
        {u"-0", false, 0},
        {u"$ff", false, 255},
        {u"x10", false, 16},
        {u"-$10", false, -16},
        {u"１，０２４", false, 1024},
        {u"\u3000９", false, 9},
        {u"", false, 0},
        {u"-", false, 0},
        {u"$", false, 0},
        {u"- 5", false, 0},
        {u"-5-3", false, -5},
        {u"5 6", false, 5},
        {u"  ,3", false, 3},
        {u"-A", false, 0},
        {u"9223372036854775807", false, std::numeric_limits<int64_t>::max()},
        {u"-9223372036854775808", false, std::numeric_limits<int64_t>::min()},
        {u"9223372036854775808", false, 0},
        {u"9,223,372,036,854,775,808", false, 0},
        {u"$7FFFFFFFFFFFFFFF", false, std::numeric_limits<int64_t>::max()},
        {u"$8000000000000000", false, 0},
        {u"10", true, 16},
        {u"10 px", true, 16},
        {u"$20", true, 32},
        {u"ff", true, 255},
        {u"-1", true, -1},
        {u"-", true, 0},
    };
    for (const Case& c : aCases) {
        EXPECT_EQ(StrToInt64Lenient(c.sText, c.bHex), c.iExpected)
            << Narrow(c.sText) << " hex " << c.bHex;
    }
}

TEST(ReplaceText, ReplacesNonOverlappingOccurrencesFromTheLeft) {
    struct Case {
        std::u16string sText, sOld, sNew;
        bool bCaseSensitive;
        std::u16string sExpected;
    };
    const Case aCases[] = {
        {u"aaa", u"aa", u"b", true, u"ba"},
        {u"Hello hello", u"HELLO", u"bye", false, u"bye bye"},
        {u"Hello hello", u"HELLO", u"bye", true, u"Hello hello"},
        {u"ａＡa", u"ａ", u"x", false, u"xＡa"},
        {u"abc", u"", u"x", false, u"abc"},
        {u"", u"a", u"x", false, u""},
        {u"a.b.c", u".", u"", true, u"abc"},
        {u"曲\\名", u"\\", u"/", true, u"曲/名"},
    };
    for (const Case& c : aCases) {
        EXPECT_EQ(ReplaceText(c.sText, c.sOld, c.sNew, c.bCaseSensitive), c.sExpected)
            << Narrow(c.sText);
    }
    EXPECT_EQ(ReplaceAll(u"aAa", u"a", u"-"), u"-A-");
}

TEST(ToHalfWidth, MapsFullWidthFormsToHalfWidth) {
    EXPECT_EQ(ToHalfWidth(u"ＡＢＣ１２３－＄\u3000"), u"ABC123-$ ");
    EXPECT_EQ(ToHalfWidth(u"アイウガ"), u"ｱｲｳｶﾞ");
    EXPECT_EQ(ToHalfWidth(u"漢字 abc"), u"漢字 abc");
}

TEST(TextInArray, IgnoresAsciiCaseOnly) {
    const std::array<std::u16string, 3> aExt = {u".mp3", u".WMA", u"．ｍｐ４"};
    EXPECT_TRUE(TextInArray(u".MP3", aExt));
    EXPECT_TRUE(TextInArray(u".wma", aExt));
    EXPECT_FALSE(TextInArray(u".mp4", aExt));
    EXPECT_FALSE(TextInArray(u"．ＭＰ４", aExt));
    EXPECT_FALSE(TextInArray(u"", aExt));
}

TEST(FormatSeconds, TrimsLeadingZerosAndSeparators) {
    struct Case {
        int64_t iSeconds;
        std::u16string sExpected;
    };
    const Case aCases[] = {
        {0, u"0"},
        {5, u"5"},
        {7, u"7"},
        {10, u"10"},
        {60, u"1:00"},
        {65, u"1:05"},
        {3600, u"1:00:00"},
        {3723, u"1:02:03"},
        {36000, u"10:00:00"},
        {360000, u"100:00:00"},
        {-75, u"-1:15"},
    };
    for (const Case& c : aCases) {
        EXPECT_EQ(FormatSeconds(c.iSeconds), c.sExpected) << c.iSeconds;
    }
}

TEST(FormatSecondsFraction, ShowsTheFraction) {
    struct Case {
        int32_t iDigits;
        double fSeconds;
        std::u16string sExpected;
    };
    const Case aCases[] = {
        {3, 0.5, u"0.500"},     {1, -75.25, u"-1:15.2"},
        {0, 64.5, u"1:05"},     {0, 4.4, u"4"},
        {-1, 0.2, u"0"},        {1, 1.0, u"1.0"},
        {1, 1.5, u"1.5"},       {1, 3723.75, u"1:02:03.7"},
        {2, 0.0, u"0.00"},      {1, -0.5, u"-0.5"},
        {2, 60.25, u"1:00.25"}, {0, -64.5, u"-1:05"},
    };
    for (const Case& c : aCases) {
        EXPECT_EQ(FormatSecondsFraction(c.iDigits, c.fSeconds), c.sExpected)
            << c.iDigits << " " << c.fSeconds;
    }
}

TEST(Numbers, ClampWrapAndRange) {
    EXPECT_EQ(ClampInt(5, 0, 10), 5);
    EXPECT_EQ(ClampInt(-1, 0, 10), 0);
    EXPECT_EQ(ClampInt(11, 0, 10), 10);
    EXPECT_EQ(ClampInt(7, 3, 3), 3);
    EXPECT_EQ(ClampInt64(5, 9, 2), 9) << "min wins when the range is reversed and value below";
    EXPECT_EQ(ClampInt64(int64_t{1} << 40, 0, 100), 100);
    EXPECT_EQ(ClampInt64(4, 4, 4), 4);

    struct Case {
        int64_t iValue, iMin, iMax, iExpected;
    };
    constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
    constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
    const Case aCases[] = {
        {-1, 0, 9, 9},      {10, 0, 9, 0},    {-10, 0, 9, 0},  {19, 0, 9, 9},
        {5, 0, 9, 5},       {-11, 0, 9, 9},   {3, 9, 0, 3},    {-1, 9, 0, 9},
        {7, 2, 2, 2},       {kMin, 0, 9, 2},  {kMax, 0, 9, 7}, {kMin, kMin, kMax, kMin},
        {0, 1, kMax, kMax}, {-3, -5, -1, -3}, {0, -5, -1, -5},
    };
    for (const Case& c : aCases) {
        EXPECT_EQ(WrapInt64(c.iValue, c.iMin, c.iMax), c.iExpected)
            << c.iValue << " in " << c.iMin << ".." << c.iMax;
    }
    EXPECT_TRUE(InRangeInt(3, 3, 4));
    EXPECT_FALSE(InRangeInt(5, 3, 4));
    const std::array<int32_t, 4> a = {3, -7, 12, 0};
    EXPECT_EQ(MinOfInts(a), -7);
    EXPECT_EQ(MaxOfInts(a), 12);
    EXPECT_THROW(MinOfInts({}), std::invalid_argument);
}

TEST(Numbers, Rounding) {
    struct Case {
        double x;
        int64_t iHalfAway, iUp, iDown, iAway, iToward;
    };
    const Case aCases[] = {
        {2.5, 3, 3, 2, 3, 2},       {-2.5, -3, -2, -3, -3, -2}, {2.4, 2, 3, 2, 3, 2},
        {-2.6, -3, -2, -3, -3, -2}, {0.0, 0, 0, 0, 0, 0},       {7.0, 7, 7, 7, 7, 7},
    };
    for (const Case& c : aCases) {
        EXPECT_EQ(RoundHalfAway(c.x), c.iHalfAway) << c.x;
        EXPECT_EQ(RoundUp(c.x), c.iUp) << c.x;
        EXPECT_EQ(RoundDown(c.x), c.iDown) << c.x;
        EXPECT_EQ(RoundAwayFromZero(c.x), c.iAway) << c.x;
        EXPECT_EQ(RoundTowardZero(c.x), c.iToward) << c.x;
    }
    EXPECT_THROW(RoundHalfAway(1e19), std::range_error);
    EXPECT_THROW(RoundDown(std::numeric_limits<double>::quiet_NaN()), std::range_error);
}

TEST(Numbers, SplitHiLoSignExtendsBothHalves) {
    struct Case {
        int32_t iValue, iHi, iLo;
    };
    const Case aCases[] = {
        {0x00010002, 1, 2},
        {static_cast<int32_t>(0xFFFFFFFF), -1, -1},
        {0x7FFF8000, 0x7FFF, -32768},
        {static_cast<int32_t>(0x80000001), -32768, 1},
    };
    for (const Case& c : aCases) {
        const TMyHiLo r = SplitHiLo(c.iValue);
        EXPECT_EQ(r.iHi, c.iHi) << c.iValue;
        EXPECT_EQ(r.iLo, c.iLo) << c.iValue;
    }
}

} // namespace
} // namespace skivra
