#include "settings/myIniLine.h"
#include "settings/myFloatText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

namespace skivra {
namespace {

std::string Narrow(std::u16string_view s) {
    return std::string(s.begin(), s.end()); // the cases below are ASCII
}

TEST(IniLine, SectionHeaders) {
    struct Case {
        std::u16string_view sLine;
        std::optional<std::u16string_view> sName;
    };
    const Case cases[] = {
        {u"[Play]", u"Play"},
        {u"  [  Play  ]  trailing word", u"Play"}, // blanks inside and a remark after
        {u"\t[Play]\r", u"Play"},
        {u"[Pl]ay]", u"Pl"}, // the first "]" ends the name
        {u"[a b]", u"a b"},
        {u"[\u3000Play]", u"\u3000Play"}, // a full-width space is no blank
        {u"[]", std::nullopt},
        {u"[   ]", std::nullopt},
        {u"[ ]Play]", std::nullopt}, // "]" right after the blanks: empty brackets
        {u"[Play", std::nullopt},
        {u"x [Play]", std::nullopt},
        {u"; [Play]", std::nullopt},
        {u"", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IniSectionName(c.sLine), c.sName) << Narrow(c.sLine);
}

TEST(IniLine, KeyLines) {
    struct Case {
        std::u16string_view sLine;
        std::u16string_view sName;
        std::u16string_view sValue;
    };
    const Case cases[] = {
        {u"Volume=5", u"Volume", u"5"},
        {u"  Volume = 5 ", u"Volume", u" 5 "}, // the value keeps its blanks
        {u"a=b=c", u"a", u"b=c"},
        {u"k=\"quoted\"", u"k", u"\"quoted\""},
        {u"k=", u"k", u""},
        {u"=x", u"", u"x"},
        {u"   =x", u"", u"x"},
        {u"no value", u"", u""},
        {u"; remark", u"", u""},
        {u"; a=b", u"; a", u"b"}, // a remark holding "=" is a key line
        {u"", u"", u""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IniKeyName(c.sLine), c.sName) << Narrow(c.sLine);
        EXPECT_EQ(IniKeyValue(c.sLine), c.sValue) << Narrow(c.sLine);
    }
}

TEST(IniFloatText, Writing) {
    struct Case {
        double f;
        std::u16string_view sText;
    };
    const Case cases[] = {
        {0.0, u"0"},
        {0.5, u"0.5"},
        {-2.25, u"-2.25"},
        {100.0, u"100"},
        {1234.5678, u"1234.5678"},
        {1.0 / 3, u"0.333333333333333"}, // 15 significant digits
        {0.1 + 0.2, u"0.3"},
        {0.00001, u"0.00001"},
        {0.000001, u"1E-6"},
        {-0.0000015, u"-1.5E-6"},
        {123456789012345.0, u"123456789012345"},
        {1e15, u"1E15"},
        {1.5e20, u"1.5E20"},
        {12.5, u"12.5"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FloatToGeneralText(c.f, u'.'), c.sText) << c.f;
    EXPECT_EQ(FloatToGeneralText(1234.5, u','), u"1234,5");
    EXPECT_EQ(FloatToGeneralText(2e-7, u','), u"2E-7");
}

TEST(IniFloatText, Reading) {
    struct Case {
        std::u16string_view sText;
        char16_t cSeparator;
        std::optional<double> f;
    };
    const Case cases[] = {
        {u"12.5", u'.', 12.5},
        {u"  -0.25\t", u'.', -0.25},
        {u"+3", u'.', 3.0},
        {u".5", u'.', 0.5},
        {u"1E-6", u'.', 1e-6},
        {u"2.5e3", u'.', 2500.0},
        {u"12,5", u',', 12.5},
        {u"12.5", u',', std::nullopt}, // "." is not the separator there
        {u"12,5", u'.', std::nullopt},
        {u"abc", u'.', std::nullopt},
        {u"", u'.', std::nullopt},
        {u"-", u'.', std::nullopt},
        {u"1e", u'.', std::nullopt},
        {u"1e999", u'.', std::nullopt}, // out of range
        {u"INF", u'.', std::nullopt},
        {u"nan", u'.', std::nullopt},
        {u"0x10", u'.', std::nullopt},
        {u"\uFF11", u'.', std::nullopt}, // a full-width digit
        {u"- 1", u'.', std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GeneralTextToFloat(c.sText, c.cSeparator), c.f) << Narrow(c.sText);
}

TEST(IniFloatText, RoundTripsKeepFifteenDigits) {
    const double values[] = {0.1, 2.0 / 3, -1e-300, 9.87654321e123, 1e-5, 3600.125, 7.0};
    for (double f : values) {
        const std::optional<double> back = GeneralTextToFloat(FloatToGeneralText(f, u'.'), u'.');
        ASSERT_TRUE(back.has_value()) << f;
        EXPECT_NEAR(*back, f, std::abs(f) * 1e-14) << f;
    }
}

} // namespace
} // namespace skivra
