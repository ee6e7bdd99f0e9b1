#include "app/myParam.h"

#include <ostream>

#include "lists/myString.h"
#include "support/myUnicode.h"
#include <gtest/gtest.h>

namespace skivra {
namespace {

using Params = std::vector<std::u16string>;

struct SplitCase {
    std::u16string sText;
    Params expected;
};

void PrintTo(const SplitCase& c, std::ostream* os) {
    *os << Utf16ToUtf8(c.sText);
}

class SplitTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitTest, SplitsAndJoinsParameters) {
    const TMyParam param(GetParam().sText);
    EXPECT_EQ(param.Params(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, SplitTest,
    ::testing::Values(SplitCase{u"", {}}, SplitCase{u"  \t\r\n ", {}},
                      SplitCase{u"app /a b", {u"app", u"/a", u"b"}},
                      // Blanks inside quotes belong to the token; the quotes do not.
                      SplitCase{u"\"C:\\Program Files\\app.exe\" /x",
                                {u"C:\\Program Files\\app.exe", u"/x"}},
                      // A quote starts a new token even in the middle of a word.
                      SplitCase{u"ab\"c d\"ef", {u"ab", u"c d", u"ef"}},
                      // An empty pair of quotes is an empty parameter.
                      SplitCase{u"app \"\" x", {u"app", u"", u"x"}},
                      // A doubled quote inside quotes is one literal quote.
                      SplitCase{u"\"say \"\"hi\"\"\"", {u"say \"hi\""}},
                      // An unclosed quote runs to the end.
                      SplitCase{u"app \"open end", {u"app", u"open end"}},
                      // "/OPT:" takes the next parameter as its value, once.
                      SplitCase{u"app /FROM: 12", {u"app", u"/FROM:12"}},
                      SplitCase{u"app /FILE: \"C:\\a b.mp4\"", {u"app", u"/FILE:C:\\a b.mp4"}},
                      SplitCase{u"app /A: /B: c", {u"app", u"/A:/B:", u"c"}},
                      SplitCase{u"app /A:", {u"app", u"/A:"}},
                      SplitCase{u"日本語 「引数」\u3000全角", {u"日本語", u"「引数」\u3000全角"}}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(TMyParamOption, OptionForms) {
    struct Case {
        std::u16string sParam;
        bool bOption;
        bool bValue;
        std::u16string sName;
        std::u16string sValue;
    };
    const Case cases[] = {
        {u"/", false, false, u"", u""},
        {u"/x", true, false, u"x", u""},
        {u"/:", true, true, u"", u""},
        {u"/FILE:C:\\a b.mp4", true, true, u"FILE", u"C:\\a b.mp4"},
        {u"/to_subplayer:12", true, true, u"to_subplayer", u"12"},
        {u"plain", false, false, u"", u""},
        {u"-x", false, false, u"", u""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.sParam.begin(), c.sParam.end()));
        const TMyParamOption option(c.sParam, 3, 1, 2);
        EXPECT_EQ(option.IsOption(), c.bOption);
        EXPECT_EQ(option.IsValueExists(), c.bValue);
        EXPECT_EQ(option.OptionString(), c.sName);
        EXPECT_EQ(option.ValueString(), c.sValue);
        EXPECT_EQ(option.ParamString(), c.sParam);
        EXPECT_EQ(option.Index(), 3);
        EXPECT_EQ(option.OptionIndex(), c.bOption ? 1 : -1);
        EXPECT_EQ(option.UnOptionalIndex(), c.bOption ? -1 : 2);
    }
}

TEST(TMyParamOption, UpperCaseTouchesAsciiLettersOnly) {
    const TMyParamOption option(u"/ｆｕｌｌ_ä:value_ａ", 0, 0, -1);
    EXPECT_EQ(option.OptionText(), u"ｆｕｌｌ_ä");
    EXPECT_EQ(option.ValueText(), u"VALUE_ａ");
    EXPECT_TRUE(option.CompareOption(u"ｆｕｌｌ_ä"));
    EXPECT_FALSE(option.CompareOption(u"ＦＵＬＬ_ä"));
    EXPECT_TRUE(option.CompareValue({u"other", u"Value_ａ"}));
}

TEST(TMyParamOption, QuotedValue) {
    const struct {
        std::u16string sParam, sQuoted;
    } cases[] = {
        {u"/X:\"a\"\"b\"", u"a\"b"},
        {u"/X:  \" padded \"  ", u"padded"},
        {u"/X:\"", u""},
        {u"/X:plain", u"plain"},
        {u"/X:\"\"\"\"", u"\""},
    };
    for (const auto& c : cases) {
        const TMyParamOption option(c.sParam, 0, 0, -1);
        EXPECT_EQ(option.QuoatedValueString(), c.sQuoted);
        EXPECT_EQ(option.QuoatedValueText(), UpperCaseAscii(c.sQuoted));
    }
    EXPECT_EQ(TMyParamOption(u"/X:\"a\"\"b\"", 0, 0, -1).ValueString(), u"\"a\"\"b\"");
}

TEST(TMyParamOption, ValueInt) {
    const struct {
        std::u16string sValue;
        int iExpected;
    } cases[] = {
        {u"12", 12},
        {u"-7", -7},
        {u"+3", 3},
        {u"", 0},
        {u"12a", 0},
        {u" 12", 0},
        {u"2147483647", 2147483647},
        {u"-2147483648", -2147483647 - 1},
        {u"2147483648", 0},
        {u"99999999999999999999999", 0},
        {u"１２", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TMyParamOption(u"/N:" + c.sValue, 0, 0, -1).ValueInt(), c.iExpected);
    }
}

TEST(TMyParamOption, ValueFloat) {
    EXPECT_DOUBLE_EQ(TMyParamOption(u"/F:1.5", 0, 0, -1).ValueFloat(), 1.5);
    EXPECT_DOUBLE_EQ(TMyParamOption(u"/F:-2e3", 0, 0, -1).ValueFloat(), -2000.0);
    for (const char16_t* s :
         {u"/F:", u"/F:abc", u"/F:1.5x", u"/F:inf", u"/F:nan", u"/F:0x10", u"/F:1e999"}) {
        EXPECT_EQ(TMyParamOption(s, 0, 0, -1).ValueFloat(), 0.0);
    }
}

TEST(TMyParam, EmptyTextAnswersNeutrally) {
    const TMyParam param(u"");
    EXPECT_EQ(param.Count(), 0);
    EXPECT_EQ(param.ShiftCount(), -1);
    EXPECT_EQ(param.ExeName(), u"");
    EXPECT_EQ(param.PathName(), u"");
    EXPECT_EQ(param.ShiftCmdLine(), u"");
    EXPECT_FALSE(param.OptionExists(u"X"));
    EXPECT_FALSE(param.OptionExists(u""));
    EXPECT_EQ(param.ValueString(u"X"), u"");
    EXPECT_EQ(param.ParamStr(0), u"");
    EXPECT_EQ(param.ParamStr(-1), u"");
    EXPECT_EQ(param.OptionParam(0), nullptr);
    EXPECT_EQ(param.OptStr(0).Option, u"");
    EXPECT_EQ(param.UnOptStr(0), u"");
}

TEST(TMyParam, Queries) {
    const TMyParam param(u"\"C:\\my app\\skivra.exe\" /subplayer /FROM:  42 song.mp3 /From:7 last");
    EXPECT_EQ(param.Count(), 6);
    EXPECT_EQ(param.ExeName(), u"C:\\my app\\skivra.exe");
    EXPECT_EQ(param.PathName(), u"C:\\my app\\");
    EXPECT_EQ(param.OptCount(), 3);
    EXPECT_EQ(param.UnOptCount(), 3);
    EXPECT_EQ(param.UnOptParams(), (Params{u"C:\\my app\\skivra.exe", u"song.mp3", u"last"}));
    EXPECT_EQ(param.ShiftParams().size(), 5u);
    EXPECT_EQ(param.ShiftParamStr(0), u"/subplayer");
    EXPECT_TRUE(param.OptionExists(u"SubPlayer"));
    EXPECT_TRUE(param.OptionExists(u"SUBPLAYER"));
    // The first matching option answers.
    EXPECT_EQ(param.ValueString(u"from"), u"42");
    EXPECT_EQ(param.OptionParam(2)->ValueInt(), 42);
    // An empty name matches the non-options, whose option text is empty.
    EXPECT_TRUE(param.OptionExists(u""));
    const TMyOptionString second = param.OptStr(1);
    EXPECT_EQ(second.Option, u"FROM");
    EXPECT_EQ(second.Value, u"42");
    EXPECT_EQ(second.ParamString, u"/FROM:42");
    EXPECT_EQ(param.OptStr(2).UpperOption, u"FROM");
    EXPECT_EQ(param.OptStr(3).Option, u"");
    EXPECT_EQ(param.UnOptStr(1), u"song.mp3");
    EXPECT_EQ(param.UnOptStr(3), u"");
}

// A path here begins with "/": as the program path it is still the program, not an option,
// while a message text (no program path) starts with its first option.
TEST(TMyParam, ProgramPathIsNeverAnOption) {
    const TMyParam command(u"/usr/bin/skivra /SUBPLAYER /FROM:9", true);
    EXPECT_EQ(command.OptCount(), 2);
    EXPECT_EQ(command.UnOptStr(0), u"/usr/bin/skivra");
    EXPECT_EQ(command.OptStr(0).UpperOption, u"SUBPLAYER");
    EXPECT_EQ(command.ValueString(u"FROM"), u"9");
    const TMyParam message(u"/TO_SUBPLAYER:5 /TO_SUBPLAYER:7");
    EXPECT_EQ(message.OptCount(), 2);
    EXPECT_EQ(message.OptStr(0).Value, u"5");
    EXPECT_EQ(MyParam().UnOptStr(0), MyParam().ExeName());
    EXPECT_FALSE(MyParam().OptionParam(0)->IsOption());
}

TEST(TMyParam, PathName) {
    const struct {
        std::u16string sExe, sPath;
    } cases[] = {
        {u"C:\\Tools\\app.exe", u"C:\\Tools\\"}, {u"C:app.exe", u"C:\\"},
        {u"/usr/bin/skivra", u"/usr/bin/"},      {u"skivra", u""},
        {u"dir/sub\\x", u"dir/sub\\"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TMyParam(u"\"" + c.sExe + u"\"").PathName(), c.sPath);
    }
}

TEST(TMyParam, ShiftCmdLine) {
    const struct {
        std::u16string sLine, sShifted;
    } cases[] = {
        {u"app /a b", u"/a b"},
        {u"  app   /a b  ", u"/a b"},
        {u"\"C:\\my app.exe\" /x", u"/x"},
        // The rest after a closing quote, even without a blank.
        {u"\"C:\\my app.exe\"/x /y", u"/x /y"},
        {u"\"C:\\my app.exe\"", u""},
        {u"app", u""},
        {u"\"a\"\"b\" c", u"c"},
        {u"app\t/TO_SUBPLAYER:5", u"/TO_SUBPLAYER:5"},
        {u"", u""},
    };
    for (const auto& c : cases) {
        const TMyParam param(c.sLine);
        EXPECT_EQ(param.ShiftCmdLine(), c.sShifted);
        EXPECT_EQ(param.MessageText(), c.sShifted);
    }
}

} // namespace
} // namespace skivra
