#include "lists/myMultimedia.h"

#include "fileEntries.h"
#include "media/myTag.h"

#include <gtest/gtest.h>

namespace skivra {
namespace {

using test::Entries;
using test::Relative;
using test::TempFolder;

TMyTag* Record(std::u16string_view sName, auto&& fnFill) {
    TMyTagValue value;
    value.FileName = sName;
    fnFill(value);
    return new TMyTag(value);
}

TEST(MediaStrings, ScanGivesRecordsAndExpandsPlaylists) {
    TempFolder dir;
    dir.Write(u"m/a.mp3", "12345");
    dir.Write(u"m/b.avi", "1");
    dir.Write(u"m/list.m3u", "#EXTM3U\nb.avi\ngone.mp3\n");
    TMyMediaStrings sl;
    EXPECT_TRUE(sl.GetList(dir / u"m/"));
    EXPECT_EQ(Relative(sl, dir), (std::vector<std::u16string>{u"m/a.mp3", u"m/b.avi", u"m/b.avi"}));
    for (int32_t i = 0; i < sl.Count(); ++i) {
        ASSERT_NE(sl.TagOf(i), nullptr);
        EXPECT_EQ(sl.TagOf(i)->FileName(), sl.Get(i));
        EXPECT_GT(sl.TagOf(i)->FileWriteTimeInt(), 0);
    }
    EXPECT_EQ(sl.TagOf(0)->FileSize(), 5);
    EXPECT_EQ(sl.TagOf(2)->FileSize(), 1);
    sl.Clear();
}

TEST(MediaStrings, EntriesThatNeedNotExistGetEmptyRecords) {
    TempFolder dir;
    TMyMediaStrings sl;
    sl.Add(dir.Write(u"x.pls", "[playlist]\nNumberOfEntries=1\nFile1=gone.mp3\n"));
    EXPECT_EQ(sl.ExpandPlaylist(false), 0);
    ASSERT_EQ(sl.Count(), 1);
    ASSERT_NE(sl.TagOf(0), nullptr);
    EXPECT_EQ(sl.TagOf(0)->FileSize(), 0);
    EXPECT_EQ(sl.TagOf(0)->FileWriteTimeInt(), 0);
    EXPECT_EQ(sl.ExpandPlaylist(), 0); // no playlist left: nothing changes
    EXPECT_EQ(sl.Count(), 1);
    sl.SetObjectsFree(true);
    sl.Clear();
    EXPECT_FALSE(sl.ObjectsFree());
}

TEST(MediaStrings, SortsReadTheRecords) {
    TMyMediaStrings sl;
    const auto track = [](const char16_t* s) {
        return [s](TMyTagValue& v) {
            v.Track = s;
        };
    };
    sl.AddObject(u"/t/10.mp3", Record(u"/t/10.mp3", track(u"10")));
    sl.Add(u"/t/none.mp3");
    sl.AddObject(u"/t/2.mp3", Record(u"/t/2.mp3", track(u"2")));
    sl.AddObject(u"/t/1.mp3", Record(u"/t/1.mp3", track(u"1")));
    sl.SortTrack(true);
    EXPECT_EQ(Entries(sl), (std::vector<std::u16string>{u"/t/none.mp3", u"/t/1.mp3", u"/t/2.mp3",
                                                        u"/t/10.mp3"}));
    sl.SortTrack(false);
    EXPECT_EQ(Entries(sl), (std::vector<std::u16string>{u"/t/10.mp3", u"/t/2.mp3", u"/t/1.mp3",
                                                        u"/t/none.mp3"}));
    sl.Clear();

    const auto size = [](int32_t w, int32_t h) {
        return [w, h](TMyTagValue& v) {
            v.VideoWidth = w;
            v.VideoHeight = h;
        };
    };
    sl.AddObject(u"c", Record(u"c", size(1280, 1080)));
    sl.AddObject(u"b", Record(u"b", size(1280, 720)));
    sl.AddObject(u"a", Record(u"a", size(640, 1080)));
    sl.Add(u"none");
    sl.SortVideoSize(true);
    EXPECT_EQ(Entries(sl), (std::vector<std::u16string>{u"none", u"a", u"b", u"c"}));
    sl.Clear();

    const auto duration = [](double f) {
        return [f](TMyTagValue& v) {
            v.MediaDuration = f;
        };
    };
    sl.AddObject(u"long", Record(u"long", duration(300.5)));
    sl.Add(u"none");
    sl.AddObject(u"short", Record(u"short", duration(2.25)));
    sl.SortMediaDuration(true);
    EXPECT_EQ(Entries(sl), (std::vector<std::u16string>{u"none", u"short", u"long"}));
    sl.SortMediaLength(false);
    EXPECT_EQ(Entries(sl), (std::vector<std::u16string>{u"long", u"short", u"none"}));
    sl.Clear();
}

TEST(MediaStrings, FallbacksWithoutRecordsAndGetTag) {
    TempFolder dir;
    const std::u16string sBig = dir.Write(u"b/big.mp3", "1234567890");
    const std::u16string sSmall = dir.Write(u"a/small.mp3", "1");
    TMyMediaStrings sl;
    sl.Add(sSmall);
    sl.Add(sBig);
    sl.SortFileSize(false);
    EXPECT_EQ(Entries(sl), (std::vector<std::u16string>{sBig, sSmall}));
    sl.SortMediaPath(true);
    EXPECT_EQ(Entries(sl), (std::vector<std::u16string>{sSmall, sBig}));
    sl.GetTag(1);
    ASSERT_NE(sl.TagOf(1), nullptr);
    EXPECT_EQ(sl.TagOf(1)->FileSize(), 10);
    EXPECT_EQ(sl.TagOf(1)->GetTitle(), u"big");
    // A record older than the file is read again in place.
    TMyCustomTag* pTag = sl.TagOf(1);
    dir.Write(u"b/big.mp3", "12");
    TMyTagValue stale;
    stale.FileName = sBig;
    stale.FileSize = 99;
    stale.FileWriteTimeInt = 1;
    pTag->Assign(stale);
    sl.GetTag(1);
    EXPECT_EQ(sl.TagOf(1), pTag);
    EXPECT_EQ(pTag->FileSize(), 2);
    sl.Clear();
}

} // namespace
} // namespace skivra
