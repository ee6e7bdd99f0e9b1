#include "lists/listEntries.h"
#include "lists/myLocaleCompare.h"
#include "lists/myNaturalCompare.h"
#include "lists/myNaturalSortKey.h"
#include "lists/myString.h"
#include "lists/myWStrings.h"
#include "lists/nastyNames.h"
#include "support/myEventHook.h"
#include "support/myPath.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace skivra {
namespace {

using test::Entries;
using test::Fill;

std::u16string Ascii(const std::string& s) {
    return std::u16string(s.begin(), s.end());
}

// Every sort of the list, as the list's users call it.
struct TMySortCase {
    const char* sName;
    void (*fnSort)(TMyWStrings&);
    std::vector<std::u16string> aInput;
    std::vector<std::u16string> aExpected;
};

// Counts pumped events and changes while a sort runs.
class TMySortWatch {
public:
    explicit TMySortWatch(TMyWStrings& sl) {
        SetEventPump([this] { ++iPumped; });
        sl.OnChange = [this](TMyWStrings&) {
            ++iChanges;
        };
    }
    ~TMySortWatch() { SetEventPump({}); }
    TMySortWatch(const TMySortWatch&) = delete;
    TMySortWatch& operator=(const TMySortWatch&) = delete;
    int iPumped = 0;
    int iChanges = 0;
};

TEST(TMyWStringsSort, EverySortOrdersAndRemovesDuplicatesAsAsked) {
    const TMySortCase aCases[] = {
        // B equals b in a case-insensitive list, stays after it and goes as a duplicate.
        {"FileSort", [](TMyWStrings& sl) { sl.FileSort(); }, {u"b", u"a", u"B"}, {u"a", u"b"}},
        {"FileSort(false) still removes",
         [](TMyWStrings& sl) { sl.FileSort(false); },
         {u"b", u"a", u"B"},
         {u"a", u"b"}},
        {"FileSort by number",
         [](TMyWStrings& sl) { sl.FileSort(); },
         {u"/m/10.mp3", u"/m/9.mp3", u"/a/z.mp3", u"/m/09.mp3"},
         // 09 and 9 compare equal but are not the same entry: both stay.
         {u"/a/z.mp3", u"/m/9.mp3", u"/m/09.mp3", u"/m/10.mp3"}},
        {"FileSort range",
         [](TMyWStrings& sl) { sl.FileSort(1, 3); },
         {u"z", u"3", u"1", u"1", u"0"},
         {u"z", u"1", u"1", u"3", u"0"}},
        {"FileInsertionSort keeps duplicates",
         [](TMyWStrings& sl) { sl.FileInsertionSort(); },
         {u"b", u"10", u"B", u"9"},
         {u"9", u"10", u"b", u"B"}},
        {"FileInsertionSort(true) drops the later",
         [](TMyWStrings& sl) { sl.FileInsertionSort(true); },
         {u"b", u"10", u"B", u"9", u"010"},
         {u"9", u"10", u"b"}},
        // A function name must pick the comparison, not convert to InsertionSort(bUnique).
        {"InsertionSort(FileListCompare)",
         [](TMyWStrings& sl) { sl.InsertionSort(TMyWStrings::FileListCompare); },
         {u"10", u"9", u"a"},
         {u"9", u"10", u"a"}},
        {"InsertionSort(true)",
         [](TMyWStrings& sl) { sl.InsertionSort(true); },
         {u"c", u"A", u"b", u"a"},
         {u"A", u"b", u"c"}},
        {"QuickSort",
         [](TMyWStrings& sl) { sl.QuickSort(TMyWStrings::DefaultListCompare); },
         {u"d", u"b", u"e", u"a", u"c"},
         {u"a", u"b", u"c", u"d", u"e"}},
        {"QuickSort(true)",
         [](TMyWStrings& sl) { sl.QuickSort(TMyWStrings::DefaultListCompare, true); },
         {u"b", u"a", u"b", u"a"},
         {u"a", u"b"}},
        {"MergeSort(true)",
         [](TMyWStrings& sl) { sl.MergeSort(TMyWStrings::DefaultListCompare, true); },
         {u"b", u"a", u"A", u"c"},
         {u"a", u"b", u"c"}},
        {"MergeSort range",
         [](TMyWStrings& sl) { sl.MergeSort(-5, 1); },
         {u"b", u"a", u"0"},
         {u"a", u"b", u"0"}},
        {"CustomSort natural",
         [](TMyWStrings& sl) { sl.CustomSort(TMyWStrings::NaturalPathListCompare); },
         {u"track 10.flac", u"Track 2.flac", u"第十二話.mp4", u"第２話.mp4"},
         {u"Track 2.flac", u"track 10.flac", u"第２話.mp4", u"第十二話.mp4"}},
        {"one entry",
         [](TMyWStrings& sl) { sl.QuickSort(TMyWStrings::DefaultListCompare, true); },
         {u"x"},
         {u"x"}},
        {"empty", [](TMyWStrings& sl) { sl.InsertionSort(false); }, {}, {}},
    };
    for (const TMySortCase& c : aCases) {
        TMyWStrings sl;
        Fill(sl, c.aInput);
        c.fnSort(sl);
        EXPECT_EQ(Entries(sl), c.aExpected) << c.sName;
    }
}

TEST(TMyWStringsSort, StableSortsKeepEqualEntriesWithTheirObjects) {
    struct TMyTag : TMyObject {
        explicit TMyTag(int i) : iTag(i) {}
        int iTag;
    };
    std::vector<TMyTag> aTags;
    for (int i = 0; i < 6; ++i) {
        aTags.emplace_back(i);
    }
    auto byFirstLetter = [](TMyWStrings& slList, int32_t i1, int32_t i2) {
        return CompareTextAscii(slList.Get(i1).substr(0, 1), slList.Get(i2).substr(0, 1), false);
    };
    for (const bool bMerge : {true, false}) {
        TMyWStrings sl;
        const std::u16string aInput[] = {u"b1", u"a1", u"B2", u"a2", u"A3", u"b3"};
        for (int i = 0; i < 6; ++i) {
            sl.AddObject(aInput[i], &aTags[static_cast<size_t>(i)]);
        }
        if (bMerge) {
            sl.MergeSort(byFirstLetter);
        } else {
            sl.InsertionSort(byFirstLetter);
        }
        EXPECT_EQ(Entries(sl),
                  (std::vector<std::u16string>{u"a1", u"a2", u"A3", u"b1", u"B2", u"b3"}));
        std::vector<int> aOrder;
        for (int32_t i = 0; i < sl.Count(); ++i) {
            aOrder.push_back(static_cast<TMyTag*>(sl.GetObject(i))->iTag);
        }
        EXPECT_EQ(aOrder, (std::vector<int>{1, 3, 4, 0, 2, 5})) << (bMerge ? "merge" : "insertion");
    }
}

// The merge sort moves entries with Put and PutObject and never pumps; the quicksort and the
// insertion sort exchange entries one by one (OnChange each time) and pump as they go.
TEST(TMyWStringsSort, PumpsEventsAndRaisesChangesOnlyWhereTheSortSteps) {
    {
        TMyWStrings sl;
        Fill(sl, {u"c", u"b", u"a"});
        TMySortWatch watch(sl);
        sl.MergeSort();
        EXPECT_EQ(watch.iPumped, 0);
        EXPECT_EQ(watch.iChanges, 0);
        EXPECT_GT(sl.SortDepth(), 0);
        EXPECT_EQ(sl.ProgressMsg(),
                  u"リストのソート中 [" + Ascii(std::to_string(sl.SortDepth())) + u"]");
    }
    {
        TMyWStrings sl;
        Fill(sl, {u"b", u"a"});
        TMySortWatch watch(sl);
        sl.InsertionSort(false);
        EXPECT_EQ(watch.iPumped, 1);
        EXPECT_EQ(watch.iChanges, 1);
    }
    {
        TMyWStrings sl;
        Fill(sl, {u"c", u"b", u"a"});
        TMySortWatch watch(sl);
        sl.QuickSort(TMyWStrings::DefaultListCompare);
        EXPECT_EQ(Entries(sl), (std::vector<std::u16string>{u"a", u"b", u"c"}));
        EXPECT_GE(watch.iPumped, 1);
        EXPECT_GE(watch.iChanges, 1);
    }
}

TEST(TMyWStringsSort, InsertionSortDeletesDuplicatesThroughDelete) {
    struct TMyCounted : TMyObject {
        explicit TMyCounted(int& iAlive) : FiAlive(iAlive) { ++FiAlive; }
        ~TMyCounted() override { --FiAlive; }
        int& FiAlive;
    };
    int iAlive = 0;
    TMyWStrings sl;
    sl.SetObjectsFree(true);
    for (const char16_t* s : {u"b", u"a", u"B", u"a"}) {
        sl.AddObject(s, new TMyCounted(iAlive));
    }
    sl.InsertionSort(true);
    EXPECT_EQ(Entries(sl), (std::vector<std::u16string>{u"a", u"b"}));
    EXPECT_EQ(iAlive, 2);
    sl.Clear();
    EXPECT_EQ(iAlive, 0);
}

// Quicksort on lists in orders that are hard for it (organ pipe, many equal entries,
// random), and with a comparison that contradicts itself: it ends, and a consistent
// comparison gives a sorted list.
TEST(TMyWStringsSort, QuickSortEndsOnHardOrdersAndContradictoryComparisons) {
    std::mt19937 random(3);
    const int iCount = 1500;
    std::vector<std::vector<int>> aOrders(3);
    for (int i = 0; i < iCount; ++i) {
        aOrders[0].push_back(i < iCount / 2 ? i : iCount - i);
        aOrders[1].push_back(i % 3);
        aOrders[2].push_back(static_cast<int>(random() % 100000));
    }
    for (const std::vector<int>& aOrder : aOrders) {
        TMyWStrings sl;
        for (const int iValue : aOrder) {
            sl.Add(Ascii(std::to_string(1000000 + iValue)));
        }
        sl.QuickSort(TMyWStrings::DefaultListCompare);
        const std::vector<std::u16string> aEntries = Entries(sl);
        EXPECT_TRUE(std::is_sorted(aEntries.begin(), aEntries.end()));
        EXPECT_EQ(aEntries.size(), static_cast<size_t>(iCount));
    }

    for (const int iAnswer : {-1, 1}) {
        TMyWStrings slOdd;
        Fill(slOdd, {u"a", u"b", u"c", u"d", u"e"});
        slOdd.QuickSort([iAnswer](TMyWStrings&, int32_t, int32_t) { return iAnswer; });
        EXPECT_EQ(slOdd.Count(), 5);
    }
}

// The merge sort by keys, and CustomSort with the list comparisons it knows, give exactly
// the order of the pairwise merge sort, objects moving with their strings.
TEST(TMyWStringsSort, NaturalSortByKeysMatchesThePairwiseSort) {
    SetCollationLocale("ja_JP");
    test::TMyNastyNames names(99);
    std::vector<std::u16string> aInput;
    for (int i = 0; i < 1500; ++i) {
        aInput.push_back(names.Next());
    }
    std::vector<TMyObject> aObjects(aInput.size());
    auto fill = [&](TMyWStrings& sl) {
        for (size_t i = 0; i < aInput.size(); ++i) {
            sl.AddObject(aInput[i], &aObjects[i]);
        }
    };
    auto pairs = [](const TMyWStrings& sl) {
        std::vector<std::pair<std::u16string, TMyObject*>> a;
        for (int32_t i = 0; i < sl.Count(); ++i) {
            a.emplace_back(sl.Get(i), sl.GetObject(i));
        }
        return a;
    };
    struct TMyNaturalCase {
        TMyNaturalOrder order;
        int32_t (*fnCompare)(std::u16string_view, std::u16string_view);
    };
    for (const TMyNaturalCase& c : {TMyNaturalCase{TMyNaturalOrder::Path, CompareNaturalPath},
                                    TMyNaturalCase{TMyNaturalOrder::Text, CompareNaturalText},
                                    TMyNaturalCase{TMyNaturalOrder::FilePath, CompareFilePath}}) {
        TMyWStrings slPairwise;
        TMyWStrings slKeys;
        TMyWStrings slCustom;
        fill(slPairwise);
        fill(slKeys);
        fill(slCustom);
        slPairwise.MergeSort([&](TMyWStrings& sl, int32_t i1, int32_t i2) {
            return c.fnCompare(sl.Get(i1), sl.Get(i2));
        });
        slKeys.MergeSortNatural(0, slKeys.Count() - 1, c.order);
        slCustom.CustomSort(c.order == TMyNaturalOrder::Path   ? TMyWStrings::NaturalPathListCompare
                            : c.order == TMyNaturalOrder::Text ? TMyWStrings::NaturalTextListCompare
                                                               : TMyWStrings::FileListCompare);
        EXPECT_EQ(pairs(slKeys), pairs(slPairwise));
        EXPECT_EQ(pairs(slCustom), pairs(slPairwise));
    }

    // By a text taken from each entry: the name alone.
    TMyWStrings slByName;
    Fill(slByName, {u"/b/track 10.flac", u"/a/Track 9.flac", u"/c/track 1.flac"});
    slByName.MergeSortNatural(0, 2, TMyNaturalOrder::Text, [](TMyWStrings& sl, int32_t i) {
        return GetFileNamePart(sl.Get(i));
    });
    EXPECT_EQ(Entries(slByName), (std::vector<std::u16string>{
                                     u"/c/track 1.flac", u"/a/Track 9.flac", u"/b/track 10.flac"}));
    SetCollationLocale(std::nullopt);
}

} // namespace
} // namespace skivra
