#include "app/myPlaylistSort.h"
#include "app/myPlaylistEntry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "lists/listEntries.h"
#include "lists/myWStrings.h"
#include "support/TempFolder.h"
#include "support/myUnicode.h"

namespace skivra::test {
namespace {

using L = std::vector<std::u16string>;

constexpr char16_t kFileName[] = u"ファイル名でソート(&F)";
constexpr char16_t kName[] = u"名前でソート(&N)";

TEST(PlaylistSortTest, TextKeysNaturalAndReversedByTheSameKey) {
    struct Case {
        std::int32_t iKey;
        L aAscending;
        L aDescending; // equal keys keep their order both ways
    };
    const L aList = {u"/b/x10.mp3", u"/a/y.wav", u"/b/x2.mp3", u"/a10/a.ogg", u"/a2/z.mp3"};
    const Case cases[] = {
        {skFileName,
         {u"/a/y.wav", u"/a2/z.mp3", u"/a10/a.ogg", u"/b/x2.mp3", u"/b/x10.mp3"},
         {u"/b/x10.mp3", u"/b/x2.mp3", u"/a10/a.ogg", u"/a2/z.mp3", u"/a/y.wav"}},
        {skFolder,
         {u"/a/y.wav", u"/a2/z.mp3", u"/a10/a.ogg", u"/b/x10.mp3", u"/b/x2.mp3"},
         {u"/b/x10.mp3", u"/b/x2.mp3", u"/a10/a.ogg", u"/a2/z.mp3", u"/a/y.wav"}},
        {skName,
         {u"/a10/a.ogg", u"/b/x2.mp3", u"/b/x10.mp3", u"/a/y.wav", u"/a2/z.mp3"},
         {u"/a2/z.mp3", u"/a/y.wav", u"/b/x10.mp3", u"/b/x2.mp3", u"/a10/a.ogg"}},
        {skExt,
         {u"/b/x10.mp3", u"/b/x2.mp3", u"/a2/z.mp3", u"/a10/a.ogg", u"/a/y.wav"},
         {u"/a/y.wav", u"/a10/a.ogg", u"/b/x10.mp3", u"/b/x2.mp3", u"/a2/z.mp3"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.iKey);
        TMyPlaylistSort sort;
        TMyWStrings sl;
        Fill(sl, aList);
        sort.SortPlaylist(sl, c.iKey);
        EXPECT_EQ(sort.Sort(), c.iKey);
        EXPECT_EQ(Entries(sl), c.aAscending);
        sort.SortPlaylist(sl, c.iKey);
        EXPECT_EQ(sort.Sort(), -c.iKey);
        EXPECT_EQ(Entries(sl), c.aDescending);
    }
}

TEST(PlaylistSortTest, CaptionsMarkOnlyTheCurrentKey) {
    TMyPlaylistSort sort;
    TMyWStrings sl;
    Fill(sl, {u"/b", u"/a"});
    sort.SortPlaylist(sl, skFileName);
    EXPECT_EQ(sort.SortCaption(kFileName, skFileName), u"ファイル名でソート(&F) ▲");
    EXPECT_EQ(sort.SortCaption(kName, skName), kName);
    sort.SortPlaylist(sl, skFileName);
    const std::u16string sMarked = sort.SortCaption(kFileName, skFileName);
    EXPECT_EQ(sMarked, u"ファイル名でソート(&F) ▼");
    // The caption is cut at its blank before the new mark, so marks never pile up.
    sort.SortPlaylist(sl, skName);
    EXPECT_EQ(sort.SortCaption(sMarked, skFileName), kFileName);
    EXPECT_EQ(sort.SortCaption(kName, skName), u"名前でソート(&N) ▲");
    // Shuffle and the reset state mark nothing; a hostile state from a settings file is safe.
    sort.SortPlaylist(sl, skShuffle);
    EXPECT_EQ(sort.Sort(), skShuffle);
    EXPECT_EQ(sort.SortCaption(kFileName, skFileName), kFileName);
    sort.SetSort(INT32_MIN);
    EXPECT_EQ(sort.SortCaption(kName, skName), kName);
    sort.SortPlaylist(sl, 9);
    EXPECT_EQ(sort.Sort(), skNone);
}

TEST(PlaylistSortTest, ShuffleIsAPermutationEveryTime) {
    TMyPlaylistSort sort;
    std::int32_t iCalls = 0;
    sort.SetRandom([&](std::int32_t n) {
        ++iCalls;
        return n - 2 < 0 ? 0 : n - 2; // swaps neighbours from the end
    });
    TMyWStrings sl;
    Fill(sl, {u"a", u"b", u"c", u"d"});
    sort.SortPlaylist(sl, skShuffle);
    EXPECT_EQ(Entries(sl), (L{u"d", u"a", u"b", u"c"}));
    EXPECT_EQ(iCalls, 3);
    sort.SortPlaylist(sl, skShuffle); // again, not reversed
    EXPECT_EQ(sort.Sort(), skShuffle);
    EXPECT_EQ(Entries(sl), (L{u"c", u"d", u"a", u"b"}));
}

TEST(PlaylistSortTest, FileSizeKeyReadsTheFiles) {
    TempFolder folder;
    const std::string sDir = folder.Path();
    const std::pair<const char*, std::size_t> files[] = {
        {"/big", 300}, {"/small", 10}, {"/mid", 120}};
    TMyWStrings sl;
    for (auto [sName, iSize] : files) {
        std::ofstream(sDir + sName) << std::string(iSize, 'x');
        sl.Add(*Utf8ToUtf16(sDir + sName));
    }
    sl.Add(u"/no/such/file"); // size 0: first
    TMyPlaylistSort sort;
    sort.SortPlaylist(sl, skFileSize);
    const auto sBase = *Utf8ToUtf16(sDir);
    EXPECT_EQ(Entries(sl),
              (L{u"/no/such/file", sBase + u"/small", sBase + u"/mid", sBase + u"/big"}));
}

TEST(PlaylistEntryTest, NumberColonBlankAndNameOrPath) {
    TMyWStrings sl;
    Fill(sl, {u"/a/x.mp3", u"/b/y.mp4", u"/c/&z:1.wav", u"name only"});
    EXPECT_EQ(PlaylistEntryText(sl, 2, false), u"3: &z:1.wav");
    EXPECT_EQ(PlaylistEntryText(sl, 2, true), u"3: /c/&z:1.wav");
    EXPECT_EQ(PlaylistEntryText(sl, 3, false), u"4: name only");
    EXPECT_EQ(PlaylistEntryText(sl, 7, true), u"8: "); // a stale row reads empty
}

} // namespace
} // namespace skivra::test
