#include "lists/myNaturalSortKey.h"
#include "lists/myLocaleCompare.h"
#include "lists/myMergeSort.h"
#include "lists/myNaturalCompare.h"
#include "lists/nastyNames.h"
#include "support/myUnicode.h"

#include <gtest/gtest.h>

#include <numeric>
#include <ostream>
#include <string>
#include <vector>

namespace skivra {
namespace {

int Sign(int iValue) {
    return iValue < 0 ? -1 : (iValue > 0 ? 1 : 0);
}

struct TMyAgreementCase {
    TMyNaturalOrder Order;
    const char* sLocale;
};

const char* OrderName(TMyNaturalOrder order) {
    switch (order) {
    case TMyNaturalOrder::Path:
        return "NaturalPath";
    case TMyNaturalOrder::Text:
        return "NaturalText";
    case TMyNaturalOrder::FilePath:
        return "FilePath";
    case TMyNaturalOrder::NumberedText:
        return "NumberedText";
    }
    return "";
}

void PrintTo(const TMyAgreementCase& c, std::ostream* pOut) {
    *pOut << OrderName(c.Order) << " in " << c.sLocale;
}

class NaturalSortKeyAgreement : public testing::TestWithParam<TMyAgreementCase> {
protected:
    void SetUp() override { SetCollationLocale(GetParam().sLocale); }
    void TearDown() override { SetCollationLocale(std::nullopt); }

    int Pairwise(const std::u16string& a, const std::u16string& b) const {
        switch (GetParam().Order) {
        case TMyNaturalOrder::Path:
            return CompareNaturalPath(a, b);
        case TMyNaturalOrder::Text:
            return CompareNaturalText(a, b);
        case TMyNaturalOrder::FilePath:
            return CompareFilePath(a, b);
        case TMyNaturalOrder::NumberedText:
            return CompareNumberedText(a, b);
        }
        return 0;
    }
};

// The key path must give the pairwise function's sign for every pair, including the pairs
// where the pairwise function is not symmetric (both orders of two prefixes that the locale
// calls equal answer "later"): the sorts then produce the same order either way.
TEST_P(NaturalSortKeyAgreement, KeysGiveThePairwiseSignOnRandomPairs) {
    test::TMyNastyNames names(20240611);
    std::vector<std::u16string> texts;
    constexpr std::size_t kTexts = 3000;
    for (std::size_t i = 0; i < kTexts; ++i) {
        texts.push_back(names.Next());
    }
    TMyNaturalSortKeys keys(GetParam().Order);
    for (const std::u16string& sText : texts) {
        keys.Add(sText);
    }
    ASSERT_EQ(keys.Count(), texts.size());

    constexpr int kPairs = 100000;
    int iMismatches = 0;
    for (int n = 0; n < kPairs; ++n) {
        const std::size_t i = names.Pick(kTexts);
        const std::size_t j = names.Pick(kTexts);
        const int iPairwise = Sign(Pairwise(texts[i], texts[j]));
        const int iKeyed = Sign(keys.Compare(i, j));
        if (iPairwise != iKeyed && ++iMismatches <= 10) {
            ADD_FAILURE() << "pairwise " << iPairwise << ", keys " << iKeyed << " for \""
                          << Utf16ToUtf8(texts[i]) << "\" against \"" << Utf16ToUtf8(texts[j])
                          << "\"";
        }
    }
    EXPECT_EQ(iMismatches, 0);
}

// The same list sorted through the merge sort by keys and pairwise comes out identical.
TEST_P(NaturalSortKeyAgreement, MergeSortByKeysMatchesPairwiseOrder) {
    test::TMyNastyNames names(7);
    std::vector<std::u16string> texts;
    for (int i = 0; i < 2000; ++i) {
        texts.push_back(names.Next());
    }
    TMyNaturalSortKeys keys(GetParam().Order);
    for (const std::u16string& sText : texts) {
        keys.Add(sText);
    }
    std::vector<int> byKeys(texts.size());
    std::iota(byKeys.begin(), byKeys.end(), 0);
    std::vector<int> pairwise = byKeys;
    MergeSortIndexes(
        byKeys,
        [&](int i, int j) {
            return keys.Compare(static_cast<std::size_t>(i), static_cast<std::size_t>(j));
        },
        [] {});
    MergeSortIndexes(
        pairwise,
        [&](int i, int j) {
            return Pairwise(texts[static_cast<std::size_t>(i)], texts[static_cast<std::size_t>(j)]);
        },
        [] {});
    EXPECT_EQ(byKeys, pairwise);
}

INSTANTIATE_TEST_SUITE_P(Orders, NaturalSortKeyAgreement,
                         testing::Values(TMyAgreementCase{TMyNaturalOrder::Path, "ja_JP"},
                                         TMyAgreementCase{TMyNaturalOrder::Text, "en_US"},
                                         TMyAgreementCase{TMyNaturalOrder::FilePath, "ja_JP"},
                                         TMyAgreementCase{TMyNaturalOrder::NumberedText, "en_US"}),
                         [](const testing::TestParamInfo<TMyAgreementCase>& info) {
                             return std::string(OrderName(info.param.Order)) + "_" +
                                    info.param.sLocale;
                         });

} // namespace
} // namespace skivra
