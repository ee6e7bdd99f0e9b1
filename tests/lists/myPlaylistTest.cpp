#include "lists/myFileStrings.h"
#include "lists/myPlaylistExpand.h"
#include "lists/myPlaylistFile.h"

#include "countedObject.h"
#include "fileEntries.h"
#include "support/TempFolder.h"
#include "support/myEventHook.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

namespace skivra {
namespace {

using test::Entries;
using test::Relative;
using test::TempFolder;

// Expands the playlists among the entries as the media list does, each inserted file with
// a counted object.
int32_t Expand(TMyFileStrings& sl, bool bNeedExist = true) {
    sl.SetObjectsFree(true);
    TMyPlaylistExpansion expansion(
        sl, [](const std::u16string&) -> TMyObject* { return new test::TCountedObject; });
    return expansion.ExpandAll(bNeedExist);
}

class PlaylistTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char16_t* s : {u"lists/sub/a.mp3", u"lists/sub/b.mp3", u"lists/c.mp3",
                                  u"music/d.mp3", u"lists/曲/ｅ.mp3", u"lists/it's & co.mp3"}) {
            dir.Write(s);
        }
    }
    void TearDown() override { EXPECT_EQ(test::TCountedObject::Alive(), 0); }

    std::vector<std::u16string> ExpandOne(std::u16string_view sName, std::string_view sContent,
                                          bool bNeedExist = true) {
        TMyFileStrings sl;
        sl.Add(dir.Write(sName, sContent));
        Expand(sl, bNeedExist);
        std::vector<std::u16string> a = Relative(sl, dir);
        EXPECT_EQ(test::TCountedObject::Alive(), sl.Count());
        sl.Clear();
        return a;
    }

    TempFolder dir;
};

using Paths = std::vector<std::u16string>;

TEST_F(PlaylistTest, M3uAsPlayersWriteThem) {
    const std::string sAbs = Utf16ToUtf8(dir / u"music/d.mp3");
    struct {
        const char16_t* sName;
        std::string sContent;
        Paths aExpected;
    } const cases[] = {
        {u"lists/x.m3u",
         "#EXTM3U\r\n#EXTINF:123,Artist - A\r\nsub\\a.mp3\r\n",
         {u"lists/sub/a.mp3"}},
        {u"lists/x.m3u",
         "sub/a.mp3\nsub/b.mp3\n\n  c.mp3  \n" + sAbs + "\n",
         {u"lists/sub/a.mp3", u"lists/sub/b.mp3", u"lists/c.mp3", u"music/d.mp3"}},
        {u"lists/x.m3u",
         "#EXTM3U\n#EXTINF:-1,x\n../music/d.mp3\n#comment\nmissing.mp3\n",
         {u"music/d.mp3"}},
        // A mark in a .m3u file stays in the first line, which is then no header.
        {u"lists/x.m3u", "\xEF\xBB\xBFsub/a.mp3\nc.mp3\n", {u"lists/c.mp3"}},
        {u"lists/x.m3u8",
         "\xEF\xBB\xBF#EXTM3U\n#EXTINF:1,\xE6\x9B\xB2\n\xE6\x9B\xB2/\xEF\xBD\x85.mp3\n",
         {u"lists/曲/ｅ.mp3"}},
        // Shift-JIS without a mark, found by detection.
        {u"lists/x.m3u8",
         "#EXTM3U\r\n\x8b\xc8\\\x82\x85.mp3\r\nc.mp3\r\n",
         {u"lists/曲/ｅ.mp3", u"lists/c.mp3"}},
        {u"lists/x.m3u", "\\music\\d.mp3\nC:\\music\\d.mp3\n", {}},
        // UTF-8 without a mark after a kilobyte of ASCII lines.
        {u"lists/x.m3u8",
         "#EXTM3U\n" + std::string(1100, '#') + "\n\xE6\x9B\xB2/\xEF\xBD\x85.mp3\n",
         {u"lists/曲/ｅ.mp3"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExpandOne(c.sName, c.sContent), c.aExpected) << c.sContent;
    }
}

TEST_F(PlaylistTest, M3uLinesPassTheListFilter) {
    TMyFileStrings sl;
    sl.AllowExtAdd({u".mp3", u".m3u"});
    dir.Write(u"lists/sub/B.MP3");
    sl.Add(dir.Write(u"lists/x.m3u", "#EXTM3U\n#EXTINF:1,t\nsub/a.mp3\nsub/B.MP3\nc.wav\n"));
    EXPECT_EQ(Expand(sl), 1);
    EXPECT_EQ(Relative(sl, dir), (Paths{u"lists/sub/a.mp3", u"lists/sub/B.MP3"}));
    sl.Clear();
}

TEST_F(PlaylistTest, EntriesThatNeedNotExistAndAddresses) {
    EXPECT_EQ(ExpandOne(u"lists/x.m3u", "gone.mp3\nhttp://radio.example/stream.mp3\n", false),
              (Paths{u"lists/gone.mp3", u"http://radio.example/stream.mp3"}));
    EXPECT_EQ(ExpandOne(u"lists/x.m3u", "gone.mp3\nhttp://radio.example/stream.mp3\n"), Paths{});
}

TEST_F(PlaylistTest, Pls) {
    struct {
        std::string sContent;
        Paths aExpected;
    } const cases[] = {
        {"[playlist]\r\nFile1=sub/a.mp3\r\nTitle1=A\r\nLength1=100\r\nFile2=c.mp3\r\n"
         "File3=sub/b.mp3\r\nNumberOfEntries=2\r\nVersion=2\r\n",
         {u"lists/sub/a.mp3", u"lists/c.mp3"}},
        {"[Playlist]\nnumberofentries=3\nfile3= c.mp3 "
         "\nFILE1=sub\\b.mp3\nFile2=\nFile01=sub/a.mp3\n",
         {u"lists/sub/b.mp3", u"lists/c.mp3"}},
        {"[playlist]\nNumberOfEntries=2147483647\nFile9=c.mp3\n", {u"lists/c.mp3"}},
        {"[playlist]\nFile1=c.mp3\n", {}},
        {"not a playlist at all", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExpandOne(u"lists/x.pls", c.sContent), c.aExpected) << c.sContent;
    }
}

std::string Utf16Le(std::u16string_view sText) {
    std::string s = "\xFF\xFE";
    for (const char16_t c : sText) {
        s += static_cast<char>(c & 0xFF);
        s += static_cast<char>(c >> 8);
    }
    return s;
}

TEST_F(PlaylistTest, Wpl) {
    const std::string sHead = "<?wpl version=\"1.0\"?>\r\n<smil>\r\n    <head>\r\n"
                              "        <meta name=\"Generator\" content=\"Player -- 12.0\"/>\r\n"
                              "        <title>Mix</title>\r\n    </head>\r\n    <body>\r\n";
    const std::string sTail = "    </body>\r\n</smil>\r\n";
    struct {
        std::string sContent;
        Paths aExpected;
    } const cases[] = {
        {sHead +
             "        <seq>\r\n            <media src=\"sub\\a.mp3\"/>\r\n"
             "            <media src=\"it&apos;s &amp; co.mp3\" tid=\"{1}\"/>\r\n"
             "            <media src=\"..\\music\\d.mp3\" albumTitle=\"x\"/>\r\n"
             "        </seq>\r\n" +
             sTail,
         {u"lists/sub/a.mp3", u"lists/it's & co.mp3", u"music/d.mp3"}},
        // Only the last sequence counts.
        {sHead +
             "<SEQ>\n<media src=\"c.mp3\"/>\n</SEQ>\n<seq>\n<media src=\"sub/b.mp3\"/>\n"
             "<media/>\n<media src=\"\"/>\n</seq>\n" +
             sTail,
         {u"lists/sub/b.mp3"}},
        {sHead + "<seq><media src=\"c.mp3\"/></seq>\n" + sTail, {}},
        {Utf16Le(
             u"<smil><body>\r\n<seq>\r\n<media src=\"曲\\ｅ.mp3\"/>\r\n</seq>\r\n</body></smil>"),
         {u"lists/曲/ｅ.mp3"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExpandOne(u"lists/x.wpl", c.sContent), c.aExpected) << c.sContent;
    }
}

TEST_F(PlaylistTest, NestedPlaylistsExpandInPlaceOnce) {
    dir.Write(u"lists/b.m3u", "sub/b.mp3\n");
    dir.Write(u"lists/self.m3u", "c.mp3\nself.m3u\n./self.m3u\n");
    dir.Write(u"lists/p1.m3u", "p2.m3u\nsub/a.mp3\n");
    dir.Write(u"lists/p2.m3u", "p3.pls\n");
    dir.Write(u"lists/p3.pls", "[playlist]\nNumberOfEntries=2\nFile1=p1.m3u\nFile2=c.mp3\n");
    TMyFileStrings sl;
    sl.Add(dir / u"music/d.mp3");
    sl.Add(dir.Write(u"lists/a.m3u", "c.mp3\nb.m3u\nsub/a.mp3\n"));
    sl.Add(dir / u"lists/b.m3u");
    sl.Add(dir / u"lists/self.m3u");
    sl.Add(dir / u"lists/p1.m3u");
    sl.Add(dir / u"lists/missing.m3u");
    EXPECT_EQ(Expand(sl), 1);
    EXPECT_EQ(Relative(sl, dir),
              (Paths{u"music/d.mp3", u"lists/c.mp3", u"lists/sub/a.mp3", u"lists/sub/b.mp3",
                     u"lists/c.mp3", u"lists/c.mp3", u"lists/sub/a.mp3"}));
    sl.Clear();
    TMyFileStrings slPlain;
    slPlain.Add(u"/x/a.mp3");
    EXPECT_EQ(Expand(slPlain), 0);
    EXPECT_EQ(Entries(slPlain), (Paths{u"/x/a.mp3"}));
}

TEST_F(PlaylistTest, DeepChainsStopAtTheDepthBound) {
    for (int i = 0; i < 40; ++i) {
        dir.Write(u"chain/" + std::u16string(1, static_cast<char16_t>(u'A' + i)) + u".m3u",
                  std::string(1, static_cast<char>('A' + i + 1)) + ".m3u\nc" + std::to_string(i) +
                      ".mp3\n");
        dir.Write(u"chain/c" + std::u16string(1, u'0' + i % 10) + u".mp3");
    }
    TMyFileStrings sl;
    sl.Add(dir / u"chain/A.m3u");
    sl.SetObjectsFree(true);
    TMyPlaylistExpansion expansion(sl, {});
    expansion.ExpandAll(false);
    EXPECT_TRUE(expansion.LimitReached());
    EXPECT_EQ(sl.Count(), TMyPlaylistExpansion::kMaxDepth);
    EXPECT_EQ(sl.Get(sl.Count() - 1), dir / u"chain/c0.mp3");
}

TEST_F(PlaylistTest, CancelStopsAndKeepsWhatWasInserted) {
    TMyFileStrings sl;
    sl.Add(dir.Write(u"lists/x.m3u", "sub/a.mp3\nsub/b.mp3\nc.mp3\n"));
    int iChecks = 0;
    sl.OnIsCancel = [&] {
        return ++iChecks > 3;
    };
    std::vector<int32_t> aCounts;
    sl.OnDispCount = [&](int32_t iCount, std::u16string_view) {
        aCounts.push_back(iCount);
    };
    Expand(sl);
    // One check before the playlist, then one per entry: two entries got in.
    EXPECT_EQ(Relative(sl, dir), (Paths{u"lists/sub/b.mp3", u"lists/c.mp3"}));
    EXPECT_EQ(aCounts, (std::vector<int32_t>{1, 2}));
    sl.Clear();
}

TEST_F(PlaylistTest, HugeFilesAreReadOnlyToTheBound) {
    const std::u16string sPath = dir.Write(u"lists/huge.m3u", "c.mp3\n");
    const int fd = open(Utf16ToUtf8(sPath).c_str(), O_WRONLY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(ftruncate(fd, kMaxPlaylistBytes + 4096), 0);
    ASSERT_EQ(pwrite(fd, "\nsub/a.mp3", 10, kMaxPlaylistBytes + 100), 10);
    close(fd);
    TMyFileStrings sl;
    sl.Add(sPath);
    Expand(sl);
    // The zero bytes after the first line end its text; nothing past the bound is read.
    EXPECT_EQ(Relative(sl, dir), (Paths{u"lists/c.mp3"}));
    sl.Clear();
}

TEST(PlaylistFormat, RecognisedByExtension) {
    for (const char16_t* s : {u"a.m3u", u"a.M3U8", u"/x/a.Pls", u"b.wpl"}) {
        EXPECT_TRUE(IsPlaylistFile(s));
    }
    for (const char16_t* s : {u"a.m3u.mp3", u"m3u", u"a.m3", u"/x.pls/a", u"a.xspf"}) {
        EXPECT_FALSE(IsPlaylistFile(s));
    }
    EXPECT_EQ(DecodeWplPath(u"a&amp;apos;b&apos;c&lt;"), u"a&apos;b'c&lt;");
}

// Playlists in the shapes that desktop players export, committed byte for byte under
// tests/data (CRLF and LF, byte-order marks, Shift-JIS, UTF-16, Windows separators), next to
// the files they name. Entries that do not exist and addresses are left out.
TEST(PlaylistFixture, ExportedPlaylistsExpandToTheFilesTheyName) {
    const std::u16string sRoot = *Utf8ToUtf16(SKIVRA_TEST_DATA "/playlists/");
    const std::u16string sIntro = u"music/01 Intro.mp3";
    const std::u16string sTrack2 = u"music/Track 2.mp3";
    const std::u16string sCo = u"music/it's & co.mp3";
    const std::u16string sE = u"music/曲/ｅ.mp3";
    const std::u16string sEncore = u"music/Live [2001]/03 – Encore.mp3";
    struct {
        const char16_t* sList;
        Paths aExpected;
    } const cases[] = {
        {u"desktop.m3u", {sIntro, sTrack2}},
        {u"plain.m3u", {sEncore, sCo}},
        {u"japanese.m3u8", {sE, sTrack2}},
        {u"player.m3u8", {sE, sEncore}},
        {u"radio.pls", {sIntro, sE}},
        {u"mix.wpl", {sCo, sE, sTrack2}},
        {u"mix16.wpl", {sEncore, sIntro}},
        // Nested lists in place, the list itself once.
        {u"all.m3u8", {sIntro, sE, sTrack2, sCo, sE, sTrack2, sEncore, sCo}},
    };
    for (const auto& c : cases) {
        TMyFileStrings sl;
        sl.Add(sRoot + u"lists/" + c.sList);
        Expand(sl);
        Paths a;
        for (const std::u16string& s : Entries(sl)) {
            a.push_back(s.starts_with(sRoot) ? s.substr(sRoot.size()) : s);
        }
        EXPECT_EQ(a, c.aExpected) << Utf16ToUtf8(c.sList);
        sl.Clear();
    }
    EXPECT_EQ(test::TCountedObject::Alive(), 0);
}

} // namespace
} // namespace skivra
