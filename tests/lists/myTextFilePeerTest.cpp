// Text files made and read by independent converters (iconv, and nkf for the Windows forms
// of the JIS encodings that iconv lacks), against ReadTextFile and WriteTextFile.

#include "lists/myTextFile.h"
#include "support/TempFolder.h"
#include "support/myUnicode.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

namespace skivra {
namespace {

using test::TempFolder;

// Kanji, kana, full-width letters and digits, punctuation, ASCII with a backslash path: in
// every Japanese encoding.
const std::u16string kBase =
    u"吾輩は猫である。名前はまだ無い。\r\n"
    u"どこで生れたかとんと見当がつかぬ。何でも薄暗いじめじめした所でニャーニャー泣いていた事だけは"
    u"記憶している。\r\n"
    u"全角の数字は０１２３４５６７８９、英字はＡＢＣｘｙｚ、記号は「」『』【】・…※〒です。\r\n"
    u"Playlist: C:\\Music\\01 - Track.mp3 (2024)\r\n";
// The Windows code page's extensions: NEC row 13 (circled and Roman numbers, units) and the
// IBM kanji, and the characters whose mapping differs from plain Shift_JIS.
const std::u16string kExtended = u"丸数字①②③⑩⑳、ローマ数字ⅠⅡⅩ、㈱㍉㌔、～∥－￢、髙﨑さん、ⅰⅱ。\r\n";
const std::u16string kHalfWidth = u"ﾊﾝｶｸｶﾀｶﾅﾃﾞｽ｡ｼﾞｮｲﾝ\r\n";
const std::u16string kFullWidthOfHalf = u"ハンカクカタカナデス。ジョイン\r\n";
// No form in Shift-JIS at all.
const std::u16string kOutside = u"Café, 한국어, 😀, 𠮷野家, 〜\r\n";

std::string ReadAll(const std::string& sPath) {
    std::ifstream in(sPath, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteAll(const std::string& sPath, std::string_view sBytes) {
    std::ofstream(sPath, std::ios::binary) << sBytes;
}

class PeerTest : public ::testing::Test {
protected:
    // The peer's conversion of the file: "iconv -f UTF-8 -t CP932" and the like.
    std::string Convert(const std::string& sCommand, std::string_view sInput) {
        const std::string sIn = folder.Path() + "/peer-in";
        const std::string sOut = folder.Path() + "/peer-out";
        WriteAll(sIn, sInput);
        const std::string sLine = "(" + sCommand + ") < '" + sIn + "' > '" + sOut + "'";
        EXPECT_EQ(std::system(sLine.c_str()), 0) << sLine;
        return ReadAll(sOut);
    }

    // The peer makes the file from the text; ReadTextFile reads it with the fixed code
    // and with detection; WriteTextFile writes the text, and the peer reads that back.
    void RoundTrip(TMyCharCode cdCode, const std::u16string& sText, const std::string& sToPeer,
                   const std::string& sFromPeer, bool bSameBytes,
                   std::string_view sPeerPrefix = {}) {
        SCOPED_TRACE(sToPeer);
        const std::string sPeerBytes =
            std::string(sPeerPrefix) + Convert(sToPeer, Utf16ToUtf8(sText));
        ASSERT_FALSE(sPeerBytes.empty());
        const std::u16string sFile = folder.Write(u"peer.txt", sPeerBytes);

        // A fixed code reads a byte-order mark as the character U+FEFF; detection skips it.
        const bool bMark = cdCode == cdUTF_8 || cdCode == cdUnicodeLE || cdCode == cdUnicodeBE;
        TMyCharCode cdRead = cdCode;
        EXPECT_EQ(Utf16ToUtf8(ReadTextFile(sFile, cdRead)),
                  Utf16ToUtf8((bMark ? u"\uFEFF" : u"") + sText));
        if (bMark) {
            cdRead = cdAuto;
            EXPECT_EQ(Utf16ToUtf8(ReadTextFile(sFile, cdRead)), Utf16ToUtf8(sText));
            EXPECT_EQ(cdRead, cdCode);
        }

        const std::u16string sOurs = folder / u"ours.txt";
        ASSERT_TRUE(WriteTextFile(sOurs, sText, cdCode));
        const std::string sOurBytes = ReadAll(Utf16ToUtf8(sOurs));
        if (bSameBytes) {
            EXPECT_EQ(sOurBytes, sPeerBytes);
        }
        EXPECT_EQ(Convert(sFromPeer, sOurBytes), Utf16ToUtf8(sText));
    }

    // What detection makes of the peer's file.
    TMyCharCode Detected(const std::u16string& sText, const std::string& sToPeer,
                         std::u16string& sRead) {
        const std::u16string sFile =
            folder.Write(u"detect.txt", Convert(sToPeer, Utf16ToUtf8(sText)));
        TMyCharCode cdCode = cdAuto;
        sRead = ReadTextFile(sFile, cdCode);
        return cdCode;
    }

    TempFolder folder;
};

TEST_F(PeerTest, ShiftJisInItsWindowsForm) {
    RoundTrip(cdSJis, kBase + kExtended + kHalfWidth, "iconv -f UTF-8 -t CP932",
              "iconv -f CP932 -t UTF-8", true);
}

TEST_F(PeerTest, Utf8WithAndWithoutMark) {
    const std::u16string sText = kBase + kExtended + kHalfWidth + kOutside;
    RoundTrip(cdUTF_8N, sText, "iconv -f UTF-8 -t UTF-8", "iconv -f UTF-8 -t UTF-8", true);
    RoundTrip(cdUTF_8, sText, "iconv -f UTF-8 -t UTF-8", "tail -c +4 | iconv -f UTF-8 -t UTF-8",
              true, "\xEF\xBB\xBF");
}

TEST_F(PeerTest, Utf16BothOrdersWithAndWithoutMark) {
    const std::u16string sText = kBase + kExtended + kHalfWidth + kOutside;
    RoundTrip(cdUnicodeLE, sText, "iconv -f UTF-8 -t UTF-16", "iconv -f UTF-16 -t UTF-8", true);
    RoundTrip(cdUTF_16LE, sText, "iconv -f UTF-8 -t UTF-16LE", "iconv -f UTF-16LE -t UTF-8", true);
    RoundTrip(cdUnicodeBE, sText, "iconv -f UTF-8 -t UTF-16BE", "iconv -f UTF-16 -t UTF-8", true,
              std::string_view("\xFE\xFF", 2));
    RoundTrip(cdUTF_16BE, sText, "iconv -f UTF-8 -t UTF-16BE", "iconv -f UTF-16BE -t UTF-8", true);
}

TEST_F(PeerTest, Utf7) {
    RoundTrip(cdUTF_7, kBase + kExtended + kHalfWidth + kOutside, "iconv -f UTF-8 -t UTF-7",
              "iconv -f UTF-7 -t UTF-8", false);
}

TEST_F(PeerTest, EucJp) {
    RoundTrip(cdEUC, kBase + kHalfWidth, "iconv -f UTF-8 -t EUC-JP", "iconv -f EUC-JP -t UTF-8",
              true);
    // The NEC and IBM extensions in their EUC form (code page 51932).
    RoundTrip(cdEUC, kBase + kExtended, "nkf -W --oc=CP51932", "nkf -w --ic=CP51932", true);
}

TEST_F(PeerTest, Iso2022Jp) {
    RoundTrip(cdJIS, kBase, "iconv -f UTF-8 -t ISO-2022-JP", "iconv -f ISO-2022-JP -t UTF-8", true);
    // The Windows form (code page 50220) holds NEC row 13 and writes half-width katakana in
    // their full-width forms. The IBM kanji and small Roman numbers have no JIS X 0208 code
    // that ICU writes, so they stay out of this text.
    const std::u16string sExtended = u"丸数字①②③⑩⑳、ローマ数字ⅠⅡⅩ、㈱㍉㌔、～∥－￢。\r\n";
    RoundTrip(cdJIS, kBase + sExtended + kFullWidthOfHalf, "nkf -W --oc=CP50220",
              "nkf -w --ic=CP50220", true);
    const std::string sOurs = folder.Path() + "/half.txt";
    ASSERT_TRUE(WriteTextFile(*Utf8ToUtf16(sOurs), kHalfWidth, cdJIS));
    EXPECT_EQ(Convert("nkf -w --ic=CP50220", ReadAll(sOurs)), Utf16ToUtf8(kFullWidthOfHalf));

    // Half-width katakana written with their own escape sequence (code page 50221) read as
    // they are, and so do the IBM kanji in the NEC-selected rows.
    const std::u16string sFile = folder.Write(
        u"kana.txt", Convert("nkf -W --oc=CP50221", Utf16ToUtf8(kHalfWidth + u"髙﨑ⅰ")));
    TMyCharCode cdCode = cdJIS;
    EXPECT_EQ(ReadTextFile(sFile, cdCode), kHalfWidth + u"髙﨑ⅰ");
}

TEST_F(PeerTest, DetectionOfRealFiles) {
    struct Case {
        std::string sToPeer;
        std::u16string sText;
        TMyCharCode cdExpected;
    };
    const std::u16string sJapanese = kBase + kExtended;
    const Case aCases[] = {
        {"iconv -f UTF-8 -t CP932", sJapanese + kHalfWidth, cdSJis},
        {"iconv -f UTF-8 -t CP932", kBase, cdSJis},
        {"iconv -f UTF-8 -t EUC-JP", kBase + kHalfWidth, cdEUC},
        {"nkf -W --oc=CP51932", sJapanese, cdEUC},
        {"iconv -f UTF-8 -t ISO-2022-JP", kBase, cdJIS},
        {"nkf -W --oc=CP50220", kBase + kFullWidthOfHalf, cdJIS},
        {"iconv -f UTF-8 -t UTF-8", sJapanese + kOutside, cdUTF_8N},
        {"iconv -f UTF-8 -t UTF-16", sJapanese + kOutside, cdUnicodeLE},
        {"iconv -f UTF-8 -t UTF-16LE", sJapanese, cdUTF_16LE},
        {"iconv -f UTF-8 -t UTF-16BE", sJapanese, cdUTF_16BE},
        {"iconv -f UTF-8 -t UTF-16LE", u"C:\\Music\\track01.mp3\r\n", cdUTF_16LE},
        {"iconv -f UTF-8 -t UTF-16BE", u"C:\\Music\\track01.mp3\r\n", cdUTF_16BE},
        {"iconv -f UTF-8 -t UTF-8", u"plain.mp3\r\nascii.wma\r\n", cdSJis},
        // One short line, as a playlist of one entry is.
        {"iconv -f UTF-8 -t CP932", u"C:\\Music\\宇多田ヒカル\\First Love.mp3\r\n", cdSJis},
        {"iconv -f UTF-8 -t CP932", u"曲名.mp3\r\n", cdSJis},
        {"iconv -f UTF-8 -t CP932", u"ﾊﾞﾝﾄﾞ.mp3\r\n", cdSJis},
        {"iconv -f UTF-8 -t UTF-8", u"/home/user/音楽/01 夜に駆ける.mp3\r\n", cdUTF_8N},
        {"iconv -f UTF-8 -t ISO-2022-JP", u"/home/user/音楽/01 夜に駆ける.mp3\r\n", cdJIS},
    };
    int iRight = 0;
    for (const Case& c : aCases) {
        std::u16string sRead;
        const TMyCharCode cdCode = Detected(c.sText, c.sToPeer, sRead);
        EXPECT_EQ(static_cast<int>(cdCode), static_cast<int>(c.cdExpected))
            << c.sToPeer << ": " << Utf16ToUtf8(c.sText);
        if (cdCode == c.cdExpected && sRead == c.sText) {
            ++iRight;
        }
    }
    std::printf("detection right on %d of %zu peer files\n", iRight, std::size(aCases));
}

} // namespace
} // namespace skivra
