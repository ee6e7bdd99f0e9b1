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

// The text in UTF-16 with its byte-order mark.
std::string Utf16(std::u16string_view sText, bool bBigEndian) {
    std::string s = bBigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char16_t c : sText) {
        const auto cLow = static_cast<char>(c & 0xFF);
        const auto cHigh = static_cast<char>(c >> 8);
        s += bBigEndian ? cHigh : cLow;
        s += bBigEndian ? cLow : cHigh;
    }
    return s;
}

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
        // A mark in a .m3u file is a mark, as in a .m3u8 file.
        {u"lists/x.m3u", "\xEF\xBB\xBFsub/a.mp3\nc.mp3\n", {u"lists/sub/a.mp3", u"lists/c.mp3"}},
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
    // An address is no file to look for: it stays whether files must exist or not.
    EXPECT_EQ(ExpandOne(u"lists/x.m3u", "gone.mp3\nhttp://radio.example/stream.mp3\n"),
              Paths{u"http://radio.example/stream.mp3"});
}

// Players write options, stream descriptions and notes on "#" lines of every kind; none of
// them names a file, whatever the list's filter.
TEST_F(PlaylistTest, M3uHashLinesAreNeverEntries) {
    const std::string sList = "#EXTM3U\n#PLAYLIST:Evening\n#EXTINF:1,A\n#EXTVLCOPT:start-time=3\n"
                              "sub/a.mp3\n# saved by hand\n#EXT-X-STREAM-INF:BANDWIDTH=1\n"
                              "  #EXTALB:x\n#\nc.mp3\n#EXTM3U\n";
    for (const bool bNeedExist : {true, false}) {
        EXPECT_EQ(ExpandOne(u"lists/x.m3u", sList, bNeedExist),
                  (Paths{u"lists/sub/a.mp3", u"lists/c.mp3"}));
    }
}

// The same list in the encodings players save .m3u files in: a .m3u is read as a .m3u8 is.
TEST_F(PlaylistTest, M3uEncodings) {
    dir.Write(u"lists/Café Olé.mp3");
    const std::u16string sText = u"#EXTM3U\r\n#EXTINF:1,Café\r\nCafé Olé.mp3\r\n曲\\ｅ.mp3\r\n";
    const Paths aBoth{u"lists/Café Olé.mp3", u"lists/曲/ｅ.mp3"};
    const Paths aCafe{u"lists/Café Olé.mp3", u"lists/c.mp3"};
    const std::string sLatin1 = "#EXTM3U\r\n#EXTINF:1,Caf\xE9\r\nCaf\xE9 Ol\xE9.mp3\r\nc.mp3\r\n";
    struct {
        const char16_t* sName;
        std::string sContent;
        Paths aExpected;
    } const cases[] = {
        {u"lists/x.m3u", "\xEF\xBB\xBF" + Utf16ToUtf8(sText), aBoth},
        {u"lists/x.m3u", Utf16ToUtf8(sText), aBoth},
        {u"lists/x.m3u", Utf16(sText, false), aBoth},
        {u"lists/x.m3u", Utf16(sText, true), aBoth},
        {u"lists/x.m3u8", Utf16(sText, true), aBoth},
        // A Western player's list in its code page: neither UTF-8 nor Shift-JIS.
        {u"lists/x.m3u", sLatin1, aCafe},
        {u"lists/x.m3u8", sLatin1, aCafe},
        {u"lists/x.m3u",
         "Caf\xE9 Ol\xE9.mp3\nit's & co.mp3\n",
         {u"lists/Café Olé.mp3", u"lists/it's & co.mp3"}},
        // Shift-JIS stays Shift-JIS.
        {u"lists/x.m3u",
         "#EXTM3U\r\n\x8b\xc8\\\x82\x85.mp3\r\nc.mp3\r\n",
         {u"lists/曲/ｅ.mp3", u"lists/c.mp3"}},
    };
    for (const auto& c : cases) {
        // Nothing that does not exist may come out: no "\uFEFF#EXTM3U", no garbage.
        EXPECT_EQ(ExpandOne(c.sName, c.sContent, false), c.aExpected) << c.sContent;
    }
}

// Addresses of every scheme are kept as written, in place, past the extension filter and
// without an existence check; a playlist on a server is one entry, not a file to open.
// A file: address names a local file and is resolved as one.
TEST_F(PlaylistTest, AddressesOfEverySchemeAreKept) {
    TMyFileStrings sl;
    sl.AllowExtAdd({u".mp3", u".m3u", u".pls"});
    const std::string sFileUrl = "file://" + Utf16ToUtf8(dir / u"lists/c.mp3");
    sl.Add(
        dir.Write(u"lists/x.m3u", "#EXTM3U\nsub/a.mp3\nhttps://media.example/hls/index.m3u8\n"
                                  "rtsp://cam.example:554/live\n  MMS://wm.example/stream  \n"
                                  "ftp://files.example/clip.mp4\nhttp://radio.example/listen.pls\n"
                                  "srt://10.0.0.1:9000\n" +
                                      sFileUrl + "\nsub/b.mp3\n"));
    sl.Add(dir.Write(u"lists/y.pls", "[playlist]\nFile1=rtmp://live.example/app\n"
                                     "File2=sub/a.mp3\nNumberOfEntries=2\n"));
    Expand(sl);
    EXPECT_EQ(Relative(sl, dir),
              (Paths{u"lists/sub/a.mp3", u"https://media.example/hls/index.m3u8",
                     u"rtsp://cam.example:554/live", u"MMS://wm.example/stream",
                     u"ftp://files.example/clip.mp4", u"http://radio.example/listen.pls",
                     u"srt://10.0.0.1:9000", u"lists/c.mp3", u"lists/sub/b.mp3",
                     u"rtmp://live.example/app", u"lists/sub/a.mp3"}));
    sl.Clear();
}

TEST(PlaylistFormat, WhatIsAnAddress) {
    for (const char16_t* s : {u"http://a", u" HTTPS://a/b.mp3", u"rtsp://h:554/x", u"mms://h",
                              u"svn+ssh://h/x", u"a.b-c://x"}) {
        EXPECT_TRUE(IsUrlEntry(s)) << Utf16ToUtf8(s);
    }
    for (const char16_t* s : {u"file:///x/a.mp3", u"C://x.mp3", u"c.mp3", u"sub/http://x",
                              u"1ab://x", u"://x", u"a b://x", u"http:/x", u""}) {
        EXPECT_FALSE(IsUrlEntry(s)) << Utf16ToUtf8(s);
    }
}

TEST_F(PlaylistTest, Pls) {
    struct {
        std::string sContent;
        Paths aExpected;
    } const cases[] = {
        // A count smaller than the keys, or none: the keys that are there, by number.
        {"[playlist]\r\nFile1=sub/a.mp3\r\nTitle1=A\r\nLength1=100\r\nFile2=c.mp3\r\n"
         "File3=sub/b.mp3\r\nNumberOfEntries=2\r\nVersion=2\r\n",
         {u"lists/sub/a.mp3", u"lists/c.mp3", u"lists/sub/b.mp3"}},
        {"[playlist]\nFile10=sub/b.mp3\nFile2=c.mp3\nFile1=sub/a.mp3\nVersion=2\n",
         {u"lists/sub/a.mp3", u"lists/c.mp3", u"lists/sub/b.mp3"}},
        {"[playlist]\nNumberOfEntries=0\nFile1000000=c.mp3\nFile1000001=sub/a.mp3\n"
         "File99999999999999999999=sub/b.mp3\nFile-1=sub/b.mp3\nFile1x=sub/b.mp3\n",
         {u"lists/c.mp3"}},
        {"[Playlist]\nnumberofentries=3\nfile3= c.mp3 "
         "\nFILE1=sub\\b.mp3\nFile2=\nFile01=sub/a.mp3\n",
         {u"lists/sub/b.mp3", u"lists/c.mp3"}},
        {"[playlist]\nNumberOfEntries=2147483647\nFile9=c.mp3\n", {u"lists/c.mp3"}},
        {"[playlist]\nFile1=c.mp3\n", {u"lists/c.mp3"}},
        {"not a playlist at all", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExpandOne(u"lists/x.pls", c.sContent), c.aExpected) << c.sContent;
    }
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
        // Every sequence, in order; media outside a sequence are none.
        {sHead +
             "<SEQ>\n<media src=\"c.mp3\"/>\n</SEQ>\n<media src=\"sub/a.mp3\"/>\n<seq>\n"
             "<media src=\"sub/b.mp3\"/>\n<media/>\n<media src=\"\"/>\n</seq>\n" +
             sTail,
         {u"lists/c.mp3", u"lists/sub/b.mp3"}},
        // On one line, attributes in any order and quoting, every reference decoded.
        {sHead +
             "<seq><media src=\"c.mp3\"/><media tid='{2}' src='it&#39;s &#x26; co.mp3'/>"
             "<media\talbumTitle=\"&lt;&quot;&gt;\"\r\n "
             "SRC=\"&#26354;/&#xFF45;.mp3\"></media></seq>" +
             sTail,
         {u"lists/c.mp3", u"lists/it's & co.mp3", u"lists/曲/ｅ.mp3"}},
        // "&amp;apos;" is the text "&apos;", not an apostrophe.
        {sHead + "<seq><media src=\"it&amp;apos;s &amp; co.mp3\"/></seq>" + sTail,
         {u"lists/it&apos;s & co.mp3"}},
        // Damaged: cut short, a tag left open, an undefined entity, garbage. What came
        // before the damage stays.
        {sHead + "<seq><media src=\"c.mp3\"/><media src=\"sub/a.mp3\"/><media src=\"sub/b",
         {u"lists/c.mp3", u"lists/sub/a.mp3"}},
        {sHead + "<seq><media src=\"c.mp3\"/><media src=\"&nbsp;x.mp3\"/>" + sTail,
         {u"lists/c.mp3"}},
        {sHead + "<seq><media src=\"c.mp3\"/></sequence><media src=\"sub/a.mp3\"/>",
         {u"lists/c.mp3"}},
        {"\x01\x02<seq><media src=\"c.mp3\"/></seq>", {}},
        {Utf16(u"<smil><body>\r\n<seq>\r\n<media src=\"曲\\ｅ.mp3\"/>\r\n</seq>\r\n</body></smil>",
               false),
         {u"lists/曲/ｅ.mp3"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExpandOne(u"lists/x.wpl", c.sContent, false), c.aExpected) << c.sContent;
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
}

// Playlists in the shapes that desktop players export, committed byte for byte under
// tests/data (CRLF and LF, byte-order marks, Shift-JIS, UTF-16, Latin-1, Windows separators,
// option and stream directives, addresses of several schemes, PLS without a count, WPL on one
// line and in several sequences), next to the files they name. Entries that do not exist are
// left out; addresses stay.
TEST(PlaylistFixture, ExportedPlaylistsExpandToTheFilesTheyName) {
    const std::u16string sRoot = *Utf8ToUtf16(SKIVRA_TEST_DATA "/playlists/");
    const std::u16string sIntro = u"music/01 Intro.mp3";
    const std::u16string sTrack2 = u"music/Track 2.mp3";
    const std::u16string sCo = u"music/it's & co.mp3";
    const std::u16string sE = u"music/曲/ｅ.mp3";
    const std::u16string sEncore = u"music/Live [2001]/03 – Encore.mp3";
    const std::u16string sCafe = u"music/Café Olé.mp3";
    const std::u16string sRadio = u"http://radio.example/stream";
    struct {
        const char16_t* sList;
        Paths aExpected;
    } const cases[] = {
        {u"desktop.m3u", {sIntro, sTrack2, sRadio}},
        {u"plain.m3u", {sEncore, sCo}},
        {u"japanese.m3u8", {sE, sTrack2}},
        {u"player.m3u8", {sE, sEncore}},
        {u"radio.pls", {sIntro, sE, sRadio}},
        {u"mix.wpl", {sCo, sE, sTrack2}},
        {u"mix16.wpl", {sEncore, sIntro}},
        // Nested lists in place, the list itself once.
        {u"all.m3u8", {sIntro, sE, sRadio, sTrack2, sCo, sE, sTrack2, sEncore, sCo}},
        {u"directives.m3u",
         {sIntro, u"rtsp://cam.example:554/live", u"https://media.example/hls/index.m3u8",
          u"HTTP://radio.example/listen.pls", u"mms://wm.example/stream",
          u"ftp://files.example/pub/clip.mp4", sTrack2}},
        {u"utf16le.m3u", {sE, sCafe}},
        {u"utf16be.m3u", {sE, sCafe}},
        {u"latin1.m3u", {sCafe, sTrack2}},
        {u"nocount.pls", {sIntro, sTrack2, u"https://radio.example/stream"}},
        {u"shortcount.pls", {sIntro, sTrack2, sCafe}},
        {u"oneline.wpl", {sCafe, sCo, sTrack2}},
        {u"multiseq.wpl", {sIntro, sE, sTrack2}},
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
