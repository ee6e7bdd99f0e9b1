#include "lists/myLocaleCompare.h"
#include "support/myUnicode.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace skivra {
namespace {

struct TMyLocaleCase {
    const char16_t* a;
    const char16_t* b;
    int iExpected;
};

class LocaleCompare : public testing::TestWithParam<const char*> {
protected:
    void SetUp() override { SetCollationLocale(GetParam()); }
    void TearDown() override { SetCollationLocale(std::nullopt); }
};

// What the natural orderings need from the locale, in Japanese and in English alike.
TEST_P(LocaleCompare, IgnoresCaseAndAccentsButNotWidthKanaOrPunctuation) {
    const TMyLocaleCase cases[] = {
        {u"abc", u"ABC", 0},       {u"Straße", u"STRASSE", 0},
        {u"résumé", u"resume", 0}, {u"re\u0301sume\u0301", u"RÉSUMÉ", 0},
        {u"は", u"ば", 0}, // the voicing mark counts as an accent
        {u"a", u"b", -1},          {u"b", u"a", 1},
        {u"a", u"ab", -1},         {u"", u"a", -1},
        {u"a-b", u"ab", -1},                          // punctuation is an ordinary character
        {u"a b", u"ab", -1},       {u"a", u"ａ", -1}, // half-width before full-width
        {u"ａ", u"a", 1},          {u"ABC", u"ＡＢＣ", -1},
        {u"あ", u"ア", -1}, // hiragana before katakana
        {u"ア", u"ｱ", -1},  // and full-width before half-width katakana
        {u"ア", u"ア", 0},
    };
    for (const TMyLocaleCase& c : cases) {
        EXPECT_EQ(CompareLocaleText(c.a, c.b), c.iExpected)
            << GetParam() << ": " << Utf16ToUtf8(c.a) << " against " << Utf16ToUtf8(c.b);
    }
}

// The sort key orders exactly as the comparison does.
TEST_P(LocaleCompare, SortKeysOrderAsTheComparison) {
    const char16_t* texts[] = {u"abc",  u"ABC",  u"résumé", u"resume", u"ａ", u"a",
                               u"ア",   u"ｱ",    u"あ",     u"a-b",    u"ab", u"",
                               u"音楽", u"録画", u"Zebra",  u"zèbre",  u"ぁ", u"第"};
    for (const char16_t* a : texts) {
        for (const char16_t* b : texts) {
            std::string sKeyA;
            std::string sKeyB;
            AppendLocaleSortKey(a, sKeyA);
            AppendLocaleSortKey(b, sKeyB);
            const int iKeys = sKeyA.compare(sKeyB);
            EXPECT_EQ(iKeys < 0 ? -1 : (iKeys > 0 ? 1 : 0), CompareLocaleText(a, b))
                << Utf16ToUtf8(a) << " against " << Utf16ToUtf8(b);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Locales, LocaleCompare, testing::Values("ja_JP", "en_US", ""),
                         [](const testing::TestParamInfo<const char*>& info) {
                             return *info.param ? std::string(info.param) : std::string("root");
                         });

TEST(LocaleCompareJapanese, OrdersKanaBeforeKanjiAndKanjiByTheJapaneseOrder) {
    SetCollationLocale("ja_JP");
    EXPECT_LT(CompareLocaleText(u"ア", u"音"), 0);
    EXPECT_LT(CompareLocaleText(u"音", u"録"), 0);
    EXPECT_LT(CompareLocaleText(u"Ｚ", u"あ"), 0);
    SetCollationLocale(std::nullopt);
}

// Sets an environment variable for one scope and puts the old value back.
class TMyScopedEnv {
public:
    TMyScopedEnv(const char* sName, const char* sValue) : FsName(sName) {
        if (const char* sOld = std::getenv(sName)) {
            FsOld = sOld;
        }
        if (sValue != nullptr) {
            setenv(sName, sValue, 1);
        } else {
            unsetenv(sName);
        }
    }
    ~TMyScopedEnv() {
        if (FsOld) {
            setenv(FsName.c_str(), FsOld->c_str(), 1);
        } else {
            unsetenv(FsName.c_str());
        }
    }
    TMyScopedEnv(const TMyScopedEnv&) = delete;
    TMyScopedEnv& operator=(const TMyScopedEnv&) = delete;

private:
    std::string FsName;
    std::optional<std::string> FsOld;
};

TEST(CollationLocale, ComesFromTheEnvironmentInThePosixOrder) {
    struct TMyEnvCase {
        const char* sAll;
        const char* sCollate;
        const char* sLang;
        const char* sExpected;
    };
    const TMyEnvCase cases[] = {
        {"ja_JP.UTF-8", "en_US.UTF-8", "de_DE", "ja_JP"},
        {nullptr, "en_US.UTF-8", "de_DE", "en_US"},
        {"", "", "de_DE@euro", "de_DE"},
        {nullptr, nullptr, "C.UTF-8", ""},
        {"POSIX", nullptr, "ja_JP", ""},
        {nullptr, nullptr, nullptr, ""},
    };
    for (const TMyEnvCase& c : cases) {
        const TMyScopedEnv all("LC_ALL", c.sAll);
        const TMyScopedEnv collate("LC_COLLATE", c.sCollate);
        const TMyScopedEnv lang("LANG", c.sLang);
        EXPECT_EQ(CollationLocaleFromEnvironment(), c.sExpected);
    }
    {
        const TMyScopedEnv all("LC_ALL", "ja_JP.UTF-8");
        SetCollationLocale(std::nullopt);
        EXPECT_EQ(GetCollationLocale(), "ja_JP");
    }
    SetCollationLocale(std::nullopt);
}

} // namespace
} // namespace skivra
