// The ID3 reader on hand-made tags: one structure or one damage per case.
#include "media/myTagID3.h"
#include "PeakMemory.h"
#include "TagBytes.h"
#include "media/myID3Text.h"
#include "support/TempFolder.h"
#include "support/myUnicode.h"

#include <gtest/gtest.h>

#include <string>

using namespace std::string_literals;

namespace skivra {
namespace {

using namespace test;

const std::string kAudio(64, '\x55');

class TagID3Test : public ::testing::Test {
protected:
    std::u16string Write(const std::string& sBytes) { return FFolder.Write(u"t.mp3", sBytes); }
    TMyTagID3 Read(const std::string& sBytes) { return TMyTagID3(Write(sBytes)); }

    TempFolder FFolder;
};

TEST_F(TagID3Test, EachMajorVersionHasItsOwnFrameHeader) {
    const TMyTagID3 v2 =
        Read(Id3(2, 0, Frame2("TT2", Text(0, "two")) + Frame2("TP1", Text(0, "a"))) + kAudio);
    EXPECT_EQ(v2.RawTitle(), u"two");
    EXPECT_EQ(v2.Artist(), u"a");
    EXPECT_EQ(v2.Version(), u"2.2.0");

    const TMyTagID3 v3 = Read(Id3(3, 0, Frame3("TIT2", Text(0, "three"))) + kAudio);
    EXPECT_EQ(v3.RawTitle(), u"three");
    EXPECT_EQ(v3.Version(), u"2.3.0");

    // A size of 200 is 00 00 01 48 synchsafe; read as a plain number it would be 328.
    const std::string sLong(199, 'x');
    const TMyTagID3 v4 =
        Read(Id3(4, 0, Frame4("TIT2", Text(0, sLong)) + Frame4("TPE1", Text(0, "b"))));
    EXPECT_EQ(v4.RawTitle(), *Utf8ToUtf16(sLong));
    EXPECT_EQ(v4.Artist(), u"b");
    EXPECT_EQ(v4.Version(), u"2.4.0");
    EXPECT_EQ(v4.Ver(), 2);
    EXPECT_EQ(v4.Major(), 4);
}

TEST_F(TagID3Test, TextEncodingsAndMarks) {
    struct Case {
        const char* sName;
        std::string sData;
        std::u16string sWanted;
    } cases[] = {
        {"ANSI is Shift-JIS", Text(0, "\x83\x65\x83\x58\x83\x67"), u"テスト"},
        {"ANSI ends at zero", Text(0, std::string("ab\0cd", 5)), u"ab"},
        {"UTF-16 little-endian mark", Text(1, "\xFF\xFE" + Utf16Le(u"日本")), u"日本"},
        {"UTF-16 big-endian mark", Text(1, "\xFE\xFF" + Utf16Be(u"日本")), u"日本"},
        {"UTF-16 without mark is little-endian", Text(1, Utf16Le(u"ab")), u"ab"},
        {"UTF-16 with a UTF-8 mark",
         Text(1, "\xEF\xBB\xBF"
                 "caf\xC3\xA9"),
         u"café"},
        {"UTF-16BE", Text(2, Utf16Be(u"ab")), u"ab"},
        {"UTF-16BE honours a little-endian mark", Text(2, "\xFF\xFE" + Utf16Le(u"ab")), u"ab"},
        {"UTF-16 ends at the first zero unit", Text(1, Utf16Le(std::u16string(u"ab\0c", 4))),
         u"ab"},
        {"UTF-16 odd last byte is dropped", Text(1, Utf16Le(u"ab") + "c"), u"ab"},
        {"UTF-8", Text(3, "\xE6\x97\xA5"), u"日"},
        {"bad UTF-8 byte becomes a replacement",
         Text(3, "a\xFF"
                 "b"),
         u"a\uFFFDb"},
        {"unknown encoding", Text(4, "abc"), u""},
    };
    for (const Case& c : cases) {
        const TMyTagID3 tag = Read(Id3(3, 0, Frame3("TIT2", c.sData)));
        EXPECT_EQ(tag.RawTitle(), c.sWanted) << c.sName;
    }
}

TEST_F(TagID3Test, DescribedFramesDropTheDescriptorAndAppend) {
    const std::string sBody =
        Frame3("COMM", Text(0, std::string("eng"
                                           "desc\0"
                                           "a",
                                           10))) +
        Frame3("COMM",
               Text(1, "jpn"
                       "\xFF\xFE" +
                           Utf16Le(u"d") + std::string(2, '\0') + "\xFF\xFE" + Utf16Le(u"b"))) +
        Frame3("COMM", Text(0, "eng"
                               "no terminator")) + // gives nothing, appends nothing
        Frame3("USLT", Text(3, std::string("eng\0"
                                           "lyrics",
                                           10))) +
        Frame3("TXXX", Text(0, std::string("key\0"
                                           "value",
                                           9))) +
        Frame3("TXXX", Text(1, "\xFF\xFE" + Utf16Le(u"k") + std::string(2, '\0') + "\xFF\xFE" +
                                   Utf16Le(u"v2"))) +
        Frame3("WXXX", Text(1, "\xFF\xFE" + std::string(2, '\0') + "http://a.example/")) +
        Frame3("WXXX", Text(0, "\x01\x02http://b.example/")) + // no terminator: all after the
                                                               // encoding, control bytes dropped
        Frame3("TIT2", Text(0, "first")) + Frame3("TIT2", Text(0, "second")) +
        Frame3("TCON", Text(0, "(17)"));
    const TMyTagID3 tag = Read(Id3(3, 0, sBody));
    EXPECT_EQ(tag.Comment(), u"a\r\rb");
    EXPECT_EQ(tag.Lylic(), u"lyrics");
    EXPECT_EQ(tag.UserText(), u"value\r\rv2");
    EXPECT_EQ(tag.UserLink(), u"http://a.example/\r\rhttp://b.example/");
    EXPECT_EQ(tag.RawTitle(), u"second");
    EXPECT_EQ(tag.Genre(), u"(17)");
}

TEST_F(TagID3Test, UTF16DescriptorTerminatorIsAtAnEvenDistance) {
    // "\0a\0\0" would end at its first two zero bytes if their distance were not checked.
    const std::string sDesc = std::string("\x00\x41\x00\x00", 4);
    const TMyTagID3 tag = Read(Id3(3, 0, Frame3("COMM", Text(2, "eng" + sDesc + Utf16Be(u"ok")))));
    EXPECT_EQ(tag.Comment(), u"ok");
}

TEST_F(TagID3Test, Unsynchronisation) {
    std::uint8_t removal[] = {0xFF, 0x00, 0x00, 0x41, 0xFF, 0x00, 0xFF, 0x00};
    ASSERT_EQ(RemoveUnsynchronisation(removal, sizeof removal), 5u);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(removal), 5),
              std::string("\xFF\x00\x41\xFF\xFF", 5));

    // The text 01 FF FE 61 00 ("a" after a mark) stored with a zero after its FF byte.
    const std::string sStored("\x01\xFF\x00\xFE\x61\x00", 6);
    // Whole tag: the body shrinks before the frames are taken apart, so the frame size
    // counts the bytes after removal and the next frame lines up only then.
    const TMyTagID3 whole =
        Read(Id3(3, 0x80, "TIT2" + Be32(5) + "\0\0"s + sStored + Frame3("TPE1", Text(0, "b"))));
    EXPECT_EQ(whole.RawTitle(), u"a");
    EXPECT_EQ(whole.Artist(), u"b");
    // Per frame (2.4): the frame size counts the stored bytes; the content is shorter.
    const TMyTagID3 frame =
        Read(Id3(4, 0, Frame4("TIT2", sStored, 0x02) + Frame4("TPE1", Text(0, "c"))));
    EXPECT_EQ(frame.RawTitle(), u"a");
    EXPECT_EQ(frame.Artist(), u"c");
}

TEST_F(TagID3Test, ExtraFieldsAreTakenFromTheFrameData) {
    // 2.4 data length indicator: 4 bytes before the content.
    const TMyTagID3 v4 = Read(Id3(4, 0, Frame4("TIT2", Be32(4) + Text(0, "abc"), 0x01)));
    EXPECT_EQ(v4.RawTitle(), u"abc");
    // 2.4 group identifier and 2.3 group identifier and decompressed size.
    const TMyTagID3 g4 = Read(Id3(4, 0, Frame4("TIT2", "\x07" + Text(0, "grp"), 0x40)));
    EXPECT_EQ(g4.RawTitle(), u"grp");
    const TMyTagID3 g3 = Read(Id3(3, 0, Frame3("TIT2", Be32(100) + "\x07" + Text(0, "zc"), 0xA0)));
    EXPECT_EQ(g3.RawTitle(), u"zc");
    // An encrypted frame is skipped, the next one still read.
    const TMyTagID3 e3 = Read(Id3(
        3, 0, Frame3("TIT2", "\x01" + Text(0, "secret"), 0x40) + Frame3("TPE1", Text(0, "open"))));
    EXPECT_EQ(e3.RawTitle(), u"");
    EXPECT_EQ(e3.Artist(), u"open");
}

// Taggers write frames that set the data-length (or another extra-field) flag but hold
// fewer bytes than the field: only that frame is lost, its size still leads to the next.
TEST_F(TagID3Test, ExtraFieldsLongerThanTheFrameSkipOnlyThatFrame) {
    const std::string sBefore3 = Frame3("TIT2", Text(0, "kept"));
    const std::string sAfter3 = Frame3("TPE1", Text(0, "after")) + Frame3("TALB", Text(0, "al"));
    const std::string sBefore4 = Frame4("TIT2", Text(0, "kept"));
    const std::string sAfter4 = Frame4("TPE1", Text(0, "after")) + Frame4("TALB", Text(0, "al"));
    struct Case {
        const char* sName;
        std::string sFile;
    } cases[] = {
        {"2.4 data length, no data", Id3(4, 0, sBefore4 + Frame4("TCON", "", 0x01) + sAfter4)},
        {"2.4 data length, 3 bytes", Id3(4, 0,
                                         sBefore4 +
                                             Frame4("TCON",
                                                    "\x03"
                                                    "ab",
                                                    0x01) +
                                             sAfter4)},
        {"2.4 several short frames in a row",
         Id3(4, 0,
             sBefore4 + Frame4("TCON", "\x03", 0x01) + Frame4("TIT2", "\0\0", 0x01) +
                 Frame4("COMM", "\0", 0x41) + sAfter4)},
        {"2.4 group byte and data length, 4 bytes",
         Id3(4, 0, sBefore4 + Frame4("TCON", "\x07\0\0\0", 0x41) + sAfter4)},
        {"2.4 unsynchronised data that shrinks below the length",
         Id3(4, 0, sBefore4 + Frame4("TCON", "\xFF\0\xFF\0", 0x03) + sAfter4)},
        {"2.3 decompressed size, 2 bytes",
         Id3(3, 0, sBefore3 + Frame3("TCON", "\x00\x01", 0x80) + sAfter3)},
        {"2.3 encryption method, no data",
         Id3(3, 0, sBefore3 + Frame3("TCON", "", 0x40) + sAfter3)},
    };
    for (const Case& c : cases) {
        const TMyTagID3 tag = Read(c.sFile + kAudio);
        EXPECT_EQ(tag.RawTitle(), u"kept") << c.sName;
        EXPECT_EQ(tag.Artist(), u"after") << c.sName;
        EXPECT_EQ(tag.Album(), u"al") << c.sName;
        EXPECT_EQ(tag.Genre(), u"") << c.sName;
    }
}

// Version 2.4 replaced the year frame with a time stamp; a year frame still wins wherever
// it stands, and a stamp that does not begin with four digits gives no year.
TEST_F(TagID3Test, YearFromTheRecordingTimeWhenThereIsNoYearFrame) {
    const std::string sYear = Frame4("TYER", Text(0, "1999"));
    struct Case {
        const char* sName;
        std::string sFile;
        std::u16string sYear;
    } cases[] = {
        {"full time stamp", Id3(4, 0, Frame4("TDRC", Text(3, "2004-05-06T07:08"))), u"2004"},
        {"year alone", Id3(4, 0, Frame4("TDRC", Text(0, "1987"))), u"1987"},
        {"UTF-16 time stamp", Id3(4, 0, Frame4("TDRC", Text(1, "\xFF\xFE" + Utf16Le(u"2010-01")))),
         u"2010"},
        {"several stamps: the first value",
         Id3(4, 0,
             Frame4("TDRC", Text(3, "2001\0"s
                                    "2002"))),
         u"2001"},
        {"year frame after the stamp", Id3(4, 0, Frame4("TDRC", Text(0, "2004")) + sYear), u"1999"},
        {"year frame before the stamp", Id3(4, 0, sYear + Frame4("TDRC", Text(0, "2004"))),
         u"1999"},
        {"stamp in a 2.3 tag", Id3(3, 0, Frame3("TDRC", Text(0, "2005-01-01"))), u"2005"},
        {"too short", Id3(4, 0, Frame4("TDRC", Text(0, "200"))), u""},
        {"not digits", Id3(4, 0, Frame4("TDRC", Text(0, "circa 1970"))), u""},
        {"stamp after the data-length damage",
         Id3(4, 0, Frame4("TYER", "\x03", 0x01) + Frame4("TDRC", Text(0, "2011"))), u"2011"},
        {"2.2 year frame", Id3(2, 0, Frame2("TYE", Text(0, "1998"))), u"1998"},
    };
    for (const Case& c : cases) {
        const TMyTagID3 tag = Read(c.sFile + kAudio);
        EXPECT_EQ(tag.Year(), c.sYear) << c.sName;
    }
    // A file read after one with a stamp does not keep that stamp's year.
    TMyTagID3 reused(Write(Id3(4, 0, Frame4("TDRC", Text(0, "2004")))));
    reused.SetFileName(Write(Id3(4, 0, Frame4("TIT2", Text(0, "t")))));
    EXPECT_EQ(reused.Year(), u"");
}

TEST_F(TagID3Test, Version2FrameIDs) {
    using TGetter = const std::u16string& (TMyCustomTag::*)() const;
    struct Case {
        std::string sID;
        std::string sData;
        TGetter getter;
        std::u16string sWanted;
    } cases[] = {
        {"TCO", Text(0, "(17)Rock"), &TMyCustomTag::Genre, u"(17)Rock"},
        {"TCN", Text(0, "not a 2.2 frame"), &TMyCustomTag::Genre, u""},
        {"WXX",
         Text(0, "home\0"s
                 "http://example.com/"),
         &TMyCustomTag::UserLink, u"http://example.com/"},
        {"TXX",
         Text(0, "k\0"s
                 "v"),
         &TMyCustomTag::UserText, u"v"},
        {"COM",
         Text(0, "eng\0"s
                 "note"),
         &TMyCustomTag::Comment, u"note"},
        {"ULT",
         Text(0, "eng\0"s
                 "la"),
         &TMyCustomTag::Lylic, u"la"},
        {"TOR", Text(0, "1990"), &TMyCustomTag::ReleaseYear, u"1990"},
        {"TXT", Text(0, "writer"), &TMyCustomTag::Writer, u"writer"},
    };
    for (const Case& c : cases) {
        const TMyTagID3 tag =
            Read(Id3(2, 0, Frame2("TT2", Text(0, "t")) + Frame2(c.sID, c.sData)) + kAudio);
        EXPECT_EQ((tag.*c.getter)(), c.sWanted) << c.sID;
        EXPECT_EQ(tag.RawTitle(), u"t") << c.sID;
    }
}

TEST_F(TagID3Test, ExtendedHeaders) {
    // 2.3: size 6 (10 with CRC), flags, padding size; the padding is cut off the body.
    const std::string sFrames = Frame3("TIT2", Text(0, "t")) + Frame3("TPE1", Text(0, "a"));
    const std::string sPadding(20, '\0');
    const TMyTagID3 v3 =
        Read(Id3(3, 0x40, Be32(6) + std::string(2, '\0') + Be32(20) + sFrames + sPadding));
    EXPECT_EQ(v3.RawTitle(), u"t");
    EXPECT_EQ(v3.Artist(), u"a");
    const TMyTagID3 crc =
        Read(Id3(3, 0x40, Be32(10) + "\x80\0"s + Be32(0) + Be32(0xDEADBEEF) + sFrames));
    EXPECT_EQ(crc.Artist(), u"a");
    // Padding larger than the body leaves no frames; it never wraps around.
    const TMyTagID3 pad =
        Read(Id3(3, 0x40, Be32(6) + std::string(2, '\0') + Be32(0xFFFFFFFF) + sFrames));
    EXPECT_EQ(pad.RawTitle(), u"");
    // 2.4: the frames start at the size read.
    const TMyTagID3 v4 =
        Read(Id3(4, 0x40, Be32(6) + "\x01\x00"s + Frame4("TIT2", Text(0, "four"))));
    EXPECT_EQ(v4.RawTitle(), u"four");
    // An extended header that claims more than the body.
    const TMyTagID3 big =
        Read(Id3(4, 0x40, Be32(5000) + "\x01\x00"s + Frame4("TIT2", Text(0, "x"))));
    EXPECT_EQ(big.RawTitle(), u"");
}

TEST_F(TagID3Test, DamagedTagsKeepWhatCameBefore) {
    const std::string sGood = Frame3("TIT2", Text(0, "kept"));
    struct Case {
        const char* sName;
        std::string sFile;
        std::u16string sTitle;
        std::u16string sArtist;
    } cases[] = {
        {"padding ends the frames",
         Id3(3, 0, sGood + std::string(10, '\0') + Frame3("TPE1", Text(0, "x"))), u"kept", u""},
        {"lower-case first byte ends the frames", Id3(3, 0, sGood + Frame3("tpe1", Text(0, "x"))),
         u"kept", u""},
        {"frame larger than the body",
         Id3(3, 0, sGood + "TPE1" + Be32(1000) + "\0\0" + Text(0, "x")), u"kept", u""},
        {"frame header cut short", Id3(3, 0, sGood + "TPE1\0"s), u"kept", u""},
        {"zero-size frame is skipped",
         Id3(3, 0, sGood + Frame3("TPE1", "") + Frame3("TALB", Text(0, "y"))), u"kept", u""},
        {"bad synchsafe bytes only make a size larger",
         Id3(4, 0,
             Frame4("TIT2", Text(0, "kept")) + "TPE1" + "\xFF\xFF\xFF\xFF" + "\0\0" + Text(0, "x")),
         u"kept", u""},
        {"tag larger than the file reads what is there",
         std::string("ID3\x03\0\0\x7F\x7F\x7F\x7F", 10) + sGood, u"kept", u""},
        {"header cut short", std::string("ID3\x03\0", 5), u"", u""},
        {"empty frame data after unsynchronisation stays in bounds",
         Id3(4, 0, Frame4("TIT2", std::string("\xFF\0\0\0\0", 5), 0x03)), u"", u""},
    };
    for (const Case& c : cases) {
        const TMyTagID3 tag = Read(c.sFile);
        EXPECT_EQ(tag.RawTitle(), c.sTitle) << c.sName;
        EXPECT_EQ(tag.Artist(), c.sArtist) << c.sName;
    }
}

// The size field allows a tag of 256 MiB; a sparse file that claims one is read only as
// far as any real tag goes, and the texts at its start are still found.
TEST_F(TagID3Test, HugeTagClaimIsReadOnlySoFar) {
    constexpr std::uint32_t kClaimed = (1u << 28) - 1;
    const std::string sFrame = Frame3("TIT2", Text(0, "Title"));
    std::string sHead = Id3(3, 0, sFrame);
    sHead.replace(6, 4, Synchsafe(kClaimed));
    const std::u16string sFile = FFolder / u"sparse.mp3";
    WriteSparseFile(Utf16ToUtf8(sFile), sHead, kClaimed + 4096);
    std::u16string sTitle;
    const long iGrowth = PeakGrowthMiB([&] { sTitle = TMyTagID3(sFile).RawTitle(); });
    EXPECT_EQ(sTitle, u"Title");
    EXPECT_LT(iGrowth, 128);
}

TEST_F(TagID3Test, ZeroSizeFrameIsSkippedAndTheNextRead) {
    const TMyTagID3 tag = Read(Id3(3, 0, Frame3("TPE1", "") + Frame3("TALB", Text(0, "y"))));
    EXPECT_EQ(tag.Album(), u"y");
}

// The frames after a SEEK frame are replaced by as many bytes read at file offset P + F,
// P being the body position after the SEEK frame and F its value.
std::string SeekTag(const std::string& sBefore, std::uint32_t iFarOffset, std::size_t iFiller) {
    const std::uint32_t iP = static_cast<std::uint32_t>(sBefore.size() + 14);
    return Id3(4, 0, sBefore + Frame4("SEEK", Be32(iFarOffset - iP)) + std::string(iFiller, '\0'));
}

TEST_F(TagID3Test, SeekContinuesElsewhere) {
    const std::string sBefore = Frame4("TIT2", Text(0, "near"));
    const std::size_t iFiller = 64;
    const std::uint32_t iFar =
        static_cast<std::uint32_t>(SeekTag(sBefore, 0, iFiller).size() + kAudio.size());
    const std::string sFar = Frame4("TPE1", Text(0, "far"));
    const std::string sFile =
        SeekTag(sBefore, iFar, iFiller) + kAudio + sFar + std::string(iFiller, '\0');
    const TMyTagID3 tag = Read(sFile);
    EXPECT_EQ(tag.RawTitle(), u"near");
    EXPECT_EQ(tag.Artist(), u"far");

    // Fewer bytes than the rest of the body: the frames end.
    const TMyTagID3 past = Read(SeekTag(sBefore, iFar + 100000, iFiller) + kAudio);
    EXPECT_EQ(past.RawTitle(), u"near");
    EXPECT_EQ(past.Artist(), u"");
}

TEST_F(TagID3Test, SeekThatLandsOnASeekIsNotFollowedAgain) {
    // The far block starts with a SEEK frame that points at itself: followed again and again
    // it would read the same bytes over and over. Only the first SEEK of a tag is followed,
    // so the frame after the second one is read.
    const std::size_t iFiller = 4096;
    const std::uint32_t iFar =
        static_cast<std::uint32_t>(SeekTag("", 0, iFiller).size() + kAudio.size());
    const std::string sFar = Frame4("SEEK", Be32(iFar - 14)) + Frame4("TPE1", Text(0, "after")) +
                             std::string(iFiller, '\0');
    const TMyTagID3 tag = Read(SeekTag("", iFar, iFiller) + kAudio + sFar);
    EXPECT_EQ(tag.Artist(), u"after");
}

TEST_F(TagID3Test, Id3v1OnlyWithoutAVersion2Tag) {
    const TMyTagID3 v11 = Read(kAudio + Id3v1("old title", "note", 7, 17));
    EXPECT_EQ(v11.Version(), u"1.1");
    EXPECT_EQ(v11.Track(), u"7");
    EXPECT_EQ(v11.Genre(), u"17");
    EXPECT_EQ(v11.RawTitle(), u"old title");
    EXPECT_EQ(v11.Artist(), u"artist");
    EXPECT_EQ(v11.Album(), u"album");
    EXPECT_EQ(v11.Year(), u"1999");
    EXPECT_EQ(v11.Comment(), u"note");
    EXPECT_EQ(v11.Major(), 1);

    const TMyTagID3 v10 = Read(kAudio + Id3v1("trailing  ", std::string(30, 'c'), -1, 255));
    EXPECT_EQ(v10.Version(), u"1.0");
    EXPECT_EQ(v10.RawTitle(), u"trailing  ");
    EXPECT_EQ(v10.Comment(), std::u16string(30, u'c'));
    EXPECT_EQ(v10.Track(), u"");
    EXPECT_EQ(v10.Genre(), u"255");

    const TMyTagID3 both =
        Read(Id3(3, 0, Frame3("TIT2", Text(0, "v2"))) + kAudio + Id3v1("v1", "", 3, 1));
    EXPECT_EQ(both.RawTitle(), u"v2");
    EXPECT_EQ(both.Track(), u"");
    EXPECT_EQ(both.Version(), u"2.3.0");

    const TMyTagID3 none = Read(kAudio);
    EXPECT_EQ(none.Version(), u"");
    EXPECT_EQ(none.Ver(), 0);
    const TMyTagID3 tiny = Read("TAG");
    EXPECT_EQ(tiny.Version(), u"");
}

TEST_F(TagID3Test, MissingFileReadsNothing) {
    const TMyTagID3 tag(FFolder / u"missing.mp3");
    EXPECT_FALSE(tag.FileExists());
    EXPECT_TRUE(tag.FolderExists());
    EXPECT_EQ(tag.Version(), u"");
    EXPECT_EQ(tag.FileSize(), 0);
}

} // namespace
} // namespace skivra
