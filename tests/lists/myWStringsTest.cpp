#include "lists/myWStrings.h"
#include "lists/listEntries.h"
#include "lists/myString.h"
#include "support/myEventHook.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace skivra {
namespace {

using test::Entries;
using test::Fill;

// Counts the objects alive, so ownership mistakes show as a count that is off.
struct TCounted : TMyObject {
    explicit TCounted(int& iAlive) : FiAlive(iAlive) { ++FiAlive; }
    ~TCounted() override { --FiAlive; }
    int& FiAlive;
};

// Records what the core would show the user.
class MessageCapture {
public:
    MessageCapture() {
        SetProgramMessageHook([this](std::u16string_view s) { aMessages.emplace_back(s); });
    }
    ~MessageCapture() { SetProgramMessageHook({}); }
    std::vector<std::u16string> aMessages;
};

TEST(TMyWStringsText, WritingTextSplitsLinesAndRecordsTheLineEnd) {
    struct Case {
        std::u16string sText;
        std::vector<std::u16string> aEntries;
        TMyNewLine nlExpected;
    };
    const Case aCases[] = {
        {u"a\r\nb\rc\nd", {u"a", u"b", u"c", u"d"}, nlCRLF},
        {u"a\rb", {u"a", u"b"}, nlCR},
        {u"a\nb", {u"a", u"b"}, nlLF},
        {u"ab", {u"ab"}, nlCRLF},
        {u"a\n\rb", {u"a", u"", u"b"}, nlCRLF},
        {u"a\n\nb\n", {u"a", u"", u"b"}, nlLF},
        {u"", {}, nlCRLF},
        {std::u16string(u"a\nb\0c\nd", 7), {u"a", u"b"}, nlLF},
        {u"\r\n", {u""}, nlCRLF},
    };
    for (const Case& c : aCases) {
        TMyWStrings sl;
        sl.SetNewLine(nlCR);
        sl.SetText(c.sText);
        EXPECT_EQ(Entries(sl), c.aEntries) << std::string(c.sText.begin(), c.sText.end());
        EXPECT_EQ(sl.NewLine(), c.nlExpected) << std::string(c.sText.begin(), c.sText.end());
    }
}

TEST(TMyWStringsText, ReadingTextEndsEveryEntryWithTheLineEnd) {
    TMyWStrings sl;
    EXPECT_EQ(sl.Text(), u"");
    Fill(sl, {u"x", u"y"});
    sl.SetNewLine(nlLF);
    EXPECT_EQ(sl.Text(), u"x\ny\n");
    sl.SetNewLine(nlCR);
    EXPECT_EQ(sl.Text(), u"x\ry\r");
    sl.SetNewLine(nlCRLF);
    EXPECT_EQ(sl.Text(), u"x\r\ny\r\n");
}

TEST(TMyWStringsText, AddTextReportsNonEmptyLinesToOnAdd) {
    TMyWStrings sl;
    sl.Add(u"first");
    std::vector<std::pair<int32_t, int64_t>> aReports;
    sl.OnAdd = [&](TMyWStrings& Sender, int32_t iCount, int64_t iLength) {
        EXPECT_EQ(&Sender, &sl);
        aReports.emplace_back(iCount, iLength);
    };
    sl.AddText(u"abc\r\n\r\nde");
    EXPECT_EQ(Entries(sl), (std::vector<std::u16string>{u"first", u"abc", u"", u"de"}));
    EXPECT_EQ(aReports, (std::vector<std::pair<int32_t, int64_t>>{{1, 4}, {3, 3}}));
}

TEST(TMyWStringsText, WritingTextExCutsAtTheDelimiter) {
    struct Case {
        std::u16string sDelimiter;
        std::u16string sText;
        std::vector<std::u16string> aEntries;
    };
    const Case aCases[] = {
        {u",", u"a,,b", {u"a", u"", u"b"}},
        {u",", u"a,", {u"a"}},
        {u",", u",", {u""}},
        {u",", u"a,b,c", {u"a", u"b", u"c"}},
        {u"::", u"a::b:c::", {u"a", u"b:c"}},
        {u",", u"abc", {u"abc"}},
    };
    for (const Case& c : aCases) {
        TMyWStrings sl;
        sl.Add(u"old");
        sl.SetDelimiter(c.sDelimiter);
        sl.SetTextEx(c.sText);
        EXPECT_EQ(Entries(sl), c.aEntries) << std::string(c.sText.begin(), c.sText.end());
    }
}

TEST(TMyWStringsText, WritingAnEmptyTextExClearsAndAbortsQuietly) {
    TMyWStrings sl;
    Fill(sl, {u"a", u"b"});
    int iChanges = 0;
    TMyStringList backing;
    backing.OnChange = [&] {
        ++iChanges;
    };
    TMyWStrings slBorrowing(&backing);
    slBorrowing.Add(u"x");
    iChanges = 0;
    EXPECT_THROW(sl.SetTextEx(u""), EAbort);
    EXPECT_EQ(sl.Count(), 0);
    // The update bracket is closed also on the abort: the backing list reports its change.
    EXPECT_THROW(slBorrowing.SetTextEx(u""), EAbort);
    EXPECT_EQ(backing.Count(), 0);
    EXPECT_EQ(iChanges, 1);
}

TEST(TMyWStringsText, TextExJoinsAndPumpsEvents) {
    int iPumped = 0;
    SetEventPump([&] { ++iPumped; });
    TMyWStrings sl;
    Fill(sl, {u"a", u"", u"c"});
    sl.SetDelimiter(u"; ");
    EXPECT_EQ(sl.TextEx(), u"a; ; c");
    EXPECT_EQ(iPumped, 3);
    SetEventPump({});
}

TEST(TMyWStringsText, DelimitedTextQuotesWhatNeedsIt) {
    struct Case {
        std::vector<std::u16string> aEntries;
        std::u16string sExpected;
    };
    const Case aCases[] = {
        {{u""}, u"\"\""},
        {{}, u""},
        {{u"a b", u"c"}, u"\"a b\",c"},
        {{u"say \"hi\""}, u"\"say \"\"hi\"\"\""},
        {{u"x,y", u"z"}, u"\"x,y\",z"},
        {{u"tab\there", u""}, u"\"tab\there\","},
        {{u"日本", u"語"}, u"日本,語"},
    };
    for (const Case& c : aCases) {
        TMyWStrings sl;
        for (const std::u16string& s : c.aEntries) {
            sl.Add(s);
        }
        EXPECT_EQ(sl.DelimitedText(), c.sExpected);
    }
}

TEST(TMyWStringsText, CommaTextUsesCommaAndQuoteAndRestoresTheSettings) {
    TMyWStrings sl;
    Fill(sl, {u"a b", u"c;d"});
    sl.SetDelimiter(u";");
    sl.SetQuoteChar(u"'");
    EXPECT_EQ(sl.CommaText(), u"\"a b\",c;d");
    EXPECT_EQ(sl.Delimiter(), u";");
    EXPECT_EQ(sl.QuoteChar(), u"'");
    EXPECT_EQ(sl.DelimitedText(), u"'a b';'c;d'");
}

TEST(TMyWStringsAccess, OutOfRangeIndexesAreTolerated) {
    TMyWStrings sl;
    Fill(sl, {u"a", u"b"});
    EXPECT_EQ(sl.Get(-1), u"");
    EXPECT_EQ(sl.Get(2), u"");
    EXPECT_EQ(sl.GetObject(5), nullptr);
    sl.Put(2, u"x");
    sl.Put(-1, u"x");
    int iAlive = 0;
    auto* pObject = new TCounted(iAlive);
    sl.PutObject(2, pObject);
    sl.Delete(2);
    sl.Delete(-1);
    EXPECT_EQ(Entries(sl), (std::vector<std::u16string>{u"a", u"b"}));
    delete pObject;
}

TEST(TMyWStringsAccess, PutKeepsTheObject) {
    TMyWStrings sl;
    int iAlive = 0;
    TCounted object(iAlive);
    sl.AddObject(u"a", &object);
    sl.Put(0, u"b");
    EXPECT_EQ(sl.Get(0), u"b");
    EXPECT_EQ(sl.GetObject(0), &object);
}

TEST(TMyWStringsAccess, InsertPositionsAreClamped) {
    TMyWStrings sl;
    sl.Insert(5, u"b");
    sl.Insert(-3, u"a");
    sl.Insert(1, u"m");
    EXPECT_EQ(sl.AddObject(u"z", nullptr), 3);
    sl.Append(u"end");
    EXPECT_EQ(Entries(sl), (std::vector<std::u16string>{u"a", u"m", u"b", u"z", u"end"}));
}

TEST(TMyWStringsAccess, AddNameAndStringLists) {
    TMyWStrings sl;
    sl.AddName(u" k ", u" v ");
    EXPECT_EQ(sl.Get(0), u" k = v ");

    TMyWStrings slOther;
    int iAlive = 0;
    TCounted object(iAlive);
    slOther.AddObject(u"x", &object);
    slOther.Add(u"y");
    sl.AddStrings(slOther);
    EXPECT_EQ(Entries(sl), (std::vector<std::u16string>{u" k = v ", u"x", u"y"}));
    EXPECT_EQ(sl.GetObject(1), nullptr) << "objects are not copied from a TMyWStrings";

    sl.AddStrings(slOther.UStrings());
    EXPECT_EQ(sl.GetObject(3), &object) << "a backing list brings its objects";

    sl.AddStrings(sl);
    EXPECT_EQ(sl.Count(), 10);

    sl.AddStrings(2);
    EXPECT_EQ(sl.Count(), 12);
    EXPECT_EQ(sl.Get(11), u"");
    EXPECT_GE(sl.Capacity(), 12);
}

TEST(TMyWStringsAccess, InsertStringsKeepsTheirOrderAtTheClampedIndex) {
    TMyWStrings slOther;
    Fill(slOther, {u"1", u"2", u"3"});
    for (const bool bBacking : {false, true}) {
        TMyWStrings sl;
        Fill(sl, {u"a", u"b"});
        if (bBacking) {
            sl.InsertStrings(1, slOther.UStrings());
            sl.InsertStrings(99, slOther.UStrings());
        } else {
            sl.InsertStrings(1, slOther);
            sl.InsertStrings(99, slOther);
        }
        EXPECT_EQ(Entries(sl),
                  (std::vector<std::u16string>{u"a", u"1", u"2", u"3", u"b", u"1", u"2", u"3"}));
    }
}

TEST(TMyWStringsOwnership, ObjectsFreeDestroysObjectsOnDeleteClearAndDestruction) {
    int iAlive = 0;
    {
        TMyWStrings sl;
        sl.SetObjectsFree(true);
        sl.AddObject(u"a", new TCounted(iAlive));
        sl.AddObject(u"b", new TCounted(iAlive));
        sl.AddObject(u"c", new TCounted(iAlive));
        sl.Add(u"no object");
        EXPECT_EQ(iAlive, 3);
        sl.Delete(0);
        EXPECT_EQ(iAlive, 2);
        sl.Clear();
        EXPECT_EQ(iAlive, 0);
        sl.AddObject(u"d", new TCounted(iAlive));
    }
    EXPECT_EQ(iAlive, 0);
}

TEST(TMyWStringsOwnership, WithoutObjectsFreeObjectsStayTheCallers) {
    int iAlive = 0;
    TCounted object(iAlive);
    {
        TMyWStrings sl;
        sl.AddObject(u"a", &object);
        sl.Delete(0);
        sl.AddObject(u"a", &object);
        sl.Clear();
        sl.AddObject(u"a", &object);
    }
    EXPECT_EQ(iAlive, 1);
}

TEST(TMyWStringsOwnership, ABorrowedListOutlivesTheWrapperWithItsObjects) {
    int iAlive = 0;
    TMyStringList backing;
    {
        TMyWStrings sl(&backing);
        sl.SetObjectsFree(true);
        EXPECT_FALSE(sl.ListOwned());
        sl.AddObject(u"kept", new TCounted(iAlive));
    }
    ASSERT_EQ(backing.Count(), 1);
    EXPECT_EQ(backing.Get(0), u"kept");
    EXPECT_EQ(iAlive, 1);
    delete backing.GetObject(0);
}

TEST(TMyWStringsOwnership, TheBorrowedListSeedsCaseSensitivity) {
    TMyStringList backing;
    backing.SetCaseSensitive(true);
    TMyWStrings sl(&backing);
    EXPECT_TRUE(sl.CaseSensitive());
    TMyWStrings slOwn;
    EXPECT_FALSE(slOwn.CaseSensitive());
}

TEST(TMyWStringsOwnership, AttachSwitchesBetweenOwningAndBorrowing) {
    int iAlive = 0;
    TMyStringList backing;
    backing.InsertObject(0, u"borrowed", nullptr);
    TMyWStrings sl;
    sl.SetObjectsFree(true);
    sl.AddObject(u"own", new TCounted(iAlive));

    sl.Attach(&backing);
    EXPECT_EQ(iAlive, 0) << "the owned list was cleared before it was destroyed";
    EXPECT_FALSE(sl.ListOwned());
    EXPECT_EQ(Entries(sl), (std::vector<std::u16string>{u"borrowed"}));

    sl.Attach(nullptr);
    EXPECT_TRUE(sl.ListOwned());
    EXPECT_EQ(sl.Count(), 0);
    EXPECT_EQ(backing.Count(), 1) << "a borrowed list is left untouched";

    sl.Add(u"x");
    sl.Attach(nullptr);
    EXPECT_TRUE(sl.ListOwned());
    EXPECT_EQ(sl.Count(), 0);
}

TEST(TMyWStringsOwnership, AssignCopiesStringsAndOnlyBackingListsBringObjects) {
    int iAlive = 0;
    TCounted object(iAlive);
    TMyWStrings slSource;
    slSource.AddObject(u"a", &object);
    TMyWStrings sl;
    sl.Add(u"old");
    sl.Assign(slSource);
    EXPECT_EQ(Entries(sl), (std::vector<std::u16string>{u"a"}));
    EXPECT_EQ(sl.GetObject(0), nullptr);
    sl.Assign(slSource.UStrings());
    EXPECT_EQ(sl.GetObject(0), &object);
}

// A backing list that fails as memory or a broken store would.
class TFailingList : public TMyStringList {
public:
    enum TFailure { kNone, kMemory, kOther } failure = kNone;
    void InsertObject(int32_t iIndex, std::u16string sStr, TMyObject* AObject) override {
        if (failure == kMemory) {
            throw std::bad_alloc();
        }
        if (failure == kOther) {
            throw std::runtime_error("broken");
        }
        TMyStringList::InsertObject(iIndex, std::move(sStr), AObject);
    }
    int32_t Count() const override {
        if (bCountFails) {
            throw std::runtime_error("gone");
        }
        return TMyStringList::Count();
    }
    bool bCountFails = false;
};

TEST(TMyWStringsFailures, InsertionFailuresAreShownAndSwallowed) {
    MessageCapture capture;
    TFailingList backing;
    TMyWStrings sl(&backing);
    int iChanges = 0;
    sl.OnChange = [&](TMyWStrings&) {
        ++iChanges;
    };
    backing.failure = TFailingList::kMemory;
    sl.Add(u"a");
    backing.failure = TFailingList::kOther;
    sl.Add(u"b");
    EXPECT_EQ(sl.Count(), 0);
    EXPECT_EQ(iChanges, 0);
    EXPECT_EQ(capture.aMessages,
              (std::vector<std::u16string>{u"データが大きすぎて操作が完了できませんでした",
                                           u"操作が完了できませんでした"}));
    backing.failure = TFailingList::kNone;
    sl.Add(u"c");
    EXPECT_EQ(iChanges, 1);
    backing.bCountFails = true;
    EXPECT_EQ(sl.Count(), 0);
}

TEST(TMyWStringsFailures, ExchangeAndMoveRejectInvalidIndexes) {
    TMyWStrings sl;
    Fill(sl, {u"a", u"b"});
    EXPECT_THROW(sl.Exchange(0, 2), std::out_of_range);
    EXPECT_THROW(sl.Move(-1, 0), std::out_of_range);
    EXPECT_EQ(Entries(sl), (std::vector<std::u16string>{u"a", u"b"}));
}

TEST(TMyWStringsSearch, FindsByCaseRule) {
    struct Case {
        bool bCaseSensitive;
        int32_t iIndexOf, iInString, iInHead, iIndexOfFrom2;
    };
    // Entries: 0 "Alpha", 1 "beta", 2 "ALPHA beta", 3 "ａｌｐｈａ" (full-width never folds).
    const Case aCases[] = {
        {false, 0, 0, 0, -1},
        {true, -1, -1, -1, -1},
    };
    for (const Case& c : aCases) {
        TMyWStrings sl;
        Fill(sl, {u"Alpha", u"beta", u"ALPHA beta", u"ａｌｐｈａ"});
        sl.SetCaseSensitive(c.bCaseSensitive);
        EXPECT_EQ(sl.IndexOf(u"alpha"), c.iIndexOf);
        EXPECT_EQ(sl.InStringOf(u"lph"), 0);
        EXPECT_EQ(sl.InStringOf(u"LPH"), c.bCaseSensitive ? 2 : 0);
        EXPECT_EQ(sl.InStringOf(u"alp"), c.iInString);
        EXPECT_EQ(sl.InHeadStringOf(u"alp"), c.iInHead);
        EXPECT_EQ(sl.IndexOf(u"alpha", 2), c.iIndexOfFrom2);
        EXPECT_EQ(sl.IndexOf(u"ａｌｐｈａ"), 3);
        EXPECT_EQ(sl.IndexOf(u"ＡＬＰＨＡ"), -1);
    }
    TMyWStrings sl;
    Fill(sl, {u"Alpha", u"beta", u"ALPHA beta"});
    EXPECT_EQ(sl.InStringOf(u"BETA", 2), 2);
    EXPECT_EQ(sl.InHeadStringOf(u"alpha", 1), 2);
    EXPECT_EQ(sl.InHeadStringOf(u"alpha", -5), 0);
    EXPECT_EQ(sl.InHeadStringOf(u"alpha beta and more"), -1);
    EXPECT_EQ(sl.IndexOf(u"beta", 99), -1);
}

TEST(TMyWStringsSearch, EqualsComparesEntryByEntry) {
    TMyWStrings sl1;
    TMyWStrings sl2;
    Fill(sl1, {u"a", u"B"});
    Fill(sl2, {u"A", u"b"});
    EXPECT_TRUE(sl1.Equals(sl2));
    sl1.SetCaseSensitive(true);
    EXPECT_FALSE(sl1.Equals(sl2));
    sl2.Add(u"c");
    EXPECT_FALSE(sl2.Equals(sl1));
}

TEST(TMyWStringsNames, NamesAndValues) {
    TMyWStrings sl;
    Fill(sl, {u"key=1", u"=x", u" spaced \t= v = w", u"plain", u"Other=2"});
    EXPECT_EQ(sl.Values(u"Key"), u"1");
    EXPECT_EQ(sl.Names(1), u"");
    EXPECT_EQ(sl.Names(2), u"spaced");
    EXPECT_EQ(sl.Values(u"SPACED"), u" v = w");
    EXPECT_EQ(sl.Names(3), u"");
    EXPECT_EQ(sl.Values(u"plain"), u"") << "an entry without = has no name to be found by";
    EXPECT_EQ(sl.Values(u"missing"), u"");
    EXPECT_EQ(sl.IndexOfName(u"other"), 4);
    EXPECT_EQ(sl.IndexOfName(u"other", 5), -1);

    sl.SetCaseSensitive(true);
    EXPECT_EQ(sl.Values(u"KEY"), u"1") << "names ignore case whatever the list says";

    sl.SetValues(u" k ", u"");
    EXPECT_EQ(sl.Get(5), u"k=");
    sl.SetValues(u"k", u"3");
    sl.SetValues(u" OTHER ", u"4");
    EXPECT_EQ(sl.Count(), 6);
    EXPECT_EQ(sl.Get(5), u"k=3");
    EXPECT_EQ(sl.Get(4), u"OTHER=4");
}

TEST(TMyWStringsReorder, ReverseSwapsMirroredPairs) {
    for (int iCount = 0; iCount <= 5; ++iCount) {
        TMyWStrings sl;
        std::vector<std::u16string> aExpected;
        for (int i = 0; i < iCount; ++i) {
            sl.Add(std::u16string(1, static_cast<char16_t>(u'a' + i)));
            aExpected.insert(aExpected.begin(), std::u16string(1, static_cast<char16_t>(u'a' + i)));
        }
        int iChanges = 0;
        sl.OnChange = [&](TMyWStrings&) {
            ++iChanges;
        };
        sl.Reverse();
        EXPECT_EQ(Entries(sl), aExpected) << iCount;
        EXPECT_EQ(iChanges, iCount / 2) << iCount;
    }
}

TEST(TMyWStringsReorder, ExchangeAndMoveCarryObjectsAndRaiseOnChange) {
    int iAlive = 0;
    TCounted object(iAlive);
    TMyWStrings sl;
    Fill(sl, {u"a", u"b", u"c"});
    sl.PutObject(0, &object);
    int iChanges = 0;
    sl.OnChange = [&](TMyWStrings&) {
        ++iChanges;
    };
    sl.Exchange(0, 2);
    EXPECT_EQ(sl.GetObject(2), &object);
    sl.Move(2, 0);
    EXPECT_EQ(Entries(sl), (std::vector<std::u16string>{u"a", u"c", u"b"}));
    EXPECT_EQ(sl.GetObject(0), &object);
    sl.Move(0, 2);
    EXPECT_EQ(Entries(sl), (std::vector<std::u16string>{u"c", u"b", u"a"}));
    EXPECT_EQ(iChanges, 3);
}

TEST(TMyWStringsSorted, SortedModeInsertsInOrderAndHonoursDuplicates) {
    struct Case {
        TDuplicates duplicates;
        std::vector<std::u16string> aExpected;
        size_t iMessages;
    };
    const Case aCases[] = {
        {dupIgnore, {u"a", u"b", u"c"}, 0},
        {dupError, {u"a", u"b", u"c"}, 1},
        {dupAccept, {u"b", u"a", u"c", u"A"}, 0},
    };
    for (const Case& c : aCases) {
        MessageCapture capture;
        TMyWStrings sl;
        sl.SetDuplicates(c.duplicates);
        sl.SetSorted(true);
        Fill(sl, {u"b", u"a", u"c", u"A"});
        EXPECT_EQ(Entries(sl), c.aExpected);
        ASSERT_EQ(capture.aMessages.size(), c.iMessages);
        if (c.iMessages > 0) {
            EXPECT_EQ(capture.aMessages[0], u"文字列リストは重複を許しません");
        }
    }
}

TEST(TMyWStringsSorted, SettingSortedSortsOnceAndRemovesDuplicates) {
    TMyWStrings sl;
    Fill(sl, {u"b", u"a", u"B", u"c", u"a"});
    sl.SetSorted(true);
    EXPECT_EQ(Entries(sl), (std::vector<std::u16string>{u"a", u"b", u"c"}));
    sl.Add(u"ab");
    EXPECT_EQ(Entries(sl), (std::vector<std::u16string>{u"a", u"ab", u"b", u"c"}));
    int32_t iIndex = -1;
    EXPECT_FALSE(sl.Find(u"bb", iIndex));
    EXPECT_EQ(iIndex, 3);
    EXPECT_TRUE(sl.Find(u"AB", iIndex));
    EXPECT_EQ(iIndex, 1);
    EXPECT_FALSE(sl.Find(u"z", iIndex));
    EXPECT_EQ(iIndex, 4);
}

TEST(TMyWStringsSort, SortIsStableAndLeavesTheListOnAFailedComparison) {
    TMyWStrings sl;
    Fill(sl, {u"b2", u"a1", u"B1", u"a2", u"A3"});
    // Only the first letter counts, so the order among equal letters must survive.
    sl.CustomSort([](TMyWStrings& slList, int32_t i1, int32_t i2) {
        return CompareTextAscii(slList.Get(i1).substr(0, 1), slList.Get(i2).substr(0, 1), false);
    });
    EXPECT_EQ(Entries(sl), (std::vector<std::u16string>{u"a1", u"a2", u"A3", u"b2", u"B1"}));

    const std::vector<std::u16string> aBefore = Entries(sl);
    int iCalls = 0;
    EXPECT_THROW(sl.MergeSort([&](TMyWStrings&, int32_t, int32_t) -> int32_t {
        if (++iCalls == 3) {
            throw std::runtime_error("cannot compare");
        }
        return 1;
    }),
                 std::runtime_error);
    EXPECT_EQ(Entries(sl), aBefore);
}

} // namespace
} // namespace skivra
