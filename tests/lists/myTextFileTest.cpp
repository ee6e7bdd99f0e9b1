#include "lists/myTextFile.h"
#include "lists/myEncoding.h"
#include "lists/myWStrings.h"
#include "support/TempFolder.h"
#include "support/myEventHook.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace skivra {
namespace {

using test::TempFolder;
using namespace std::string_literals;

std::string ReadBytes(const std::u16string& sFile) {
    std::ifstream in(Utf16ToUtf8(sFile), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::span<const uint8_t> Bytes(std::string_view s) {
    return {reinterpret_cast<const uint8_t*>(s.data()), s.size()};
}

std::u16string Decode(std::string_view sBytes, TMyCharCode& cdCode) {
    return DecodeTextBytes(Bytes(sBytes), cdCode);
}

TEST(ReadTextFile, MarksChooseTheEncodingAndAreSkipped) {
    struct Case {
        std::string sBytes;
        TMyCharCode cdExpected;
        std::u16string sText;
    };
    const Case aCases[] = {
        {"\xEF\xBB\xBF", cdUTF_8, u""},
        {"\xEF\xBB\xBF"
         "a\xE6\x97\xA5",
         cdUTF_8, u"a日"},
        {"\xFF\xFE"
         "a\0b\0"s,
         cdUnicodeLE, u"ab"},
        {"\xFE\xFF\0a\0b"s, cdUnicodeBE, u"ab"},
        {"\xFF\xFE", cdUnicodeLE, u""},
        {"\xFF\xFE"
         "a\0\0\0b\0"s,
         cdUnicodeLE, u"a"},
        {"\xFF\xFE"
         "a\0b"s,
         cdUnicodeLE, u"ab"},
        {"\xEF\xBB\xBF"
         "ab\0cd"s,
         cdUTF_8, u"abcd"},
    };
    for (const Case& c : aCases) {
        TMyCharCode cdCode = cdAuto;
        EXPECT_EQ(Decode(c.sBytes, cdCode), c.sText);
        EXPECT_EQ(cdCode, c.cdExpected);
    }
}

TEST(ReadTextFile, FixedEncodingsReadAMarkAsACharacter) {
    struct Case {
        std::string sBytes;
        TMyCharCode cdCode;
        std::u16string sText;
    };
    const Case aCases[] = {
        {"\xEF\xBB\xBF"
         "a",
         cdUTF_8N, u"\uFEFFa"},
        {"\xFF\xFE"
         "a\0"s,
         cdUTF_16LE, u"\uFEFFa"},
        {"\xFE\xFF\0a"s, cdUTF_16BE, u"\uFEFFa"},
        {"\0a\0b"s, cdUnicodeBE, u"ab"},
        {"a\0b\0c"s, cdUTF_16LE, u"abc"},
        {"\x93\xfa\x96\x7b\x5c\x81\x60", cdSJis, u"日本\\～"},
        {"\xc6\xfc\xcb\xdc\x8e\xb1", cdEUC, u"日本ｱ"},
        {"\x1b$B"
         "F|K\\"
         "\x1b(B"
         "a",
         cdJIS, u"日本a"},
        {"+ZeVnLA-", cdUTF_7, u"日本"},
        {"ab\0cd"s, cdSJis, u"ab"},
        {"\xE6\x97", cdUTF_8, u"\uFFFD"},
    };
    for (const Case& c : aCases) {
        TMyCharCode cdCode = c.cdCode;
        EXPECT_EQ(Decode(c.sBytes, cdCode), c.sText) << static_cast<int>(c.cdCode);
        EXPECT_EQ(cdCode, c.cdCode);
    }
}

TEST(ReadTextFile, UnknownCodesCountAsAutoAndUnlistedOnesAsShiftJis) {
    TMyCharCode cdCode = static_cast<TMyCharCode>(200);
    EXPECT_EQ(Decode("\xEF\xBB\xBFx", cdCode), u"x");
    EXPECT_EQ(cdCode, cdUTF_8);
}

TEST(ReadTextFile, BinaryDumpShowsEveryByte) {
    TMyCharCode cdCode = cdBINDUMP;
    const std::u16string sDump = Decode(std::string("AB\0C", 4), cdCode);
    EXPECT_EQ(cdCode, cdBINDUMP);
    EXPECT_EQ(sDump.size(), 68u);
    EXPECT_EQ(sDump.substr(0, 12), u"41 42 00 43 ");
    EXPECT_EQ(sDump.substr(50), u"\tAB.C            \r");
}

TEST(HexDump, LinesOf68Characters) {
    const std::string s3 = HexDump(Bytes("ABC"));
    EXPECT_EQ(s3, "41 42 43" + std::string(42, ' ') + "\tABC" + std::string(13, ' ') + "\r");

    std::string s17;
    for (int i = 0; i < 17; ++i) {
        s17 += static_cast<char>('a' + i);
    }
    const std::string sDump = HexDump(Bytes(s17));
    ASSERT_EQ(sDump.size(), 136u);
    EXPECT_EQ(sDump.substr(0, 68),
              "61 62 63 64 65 66 67 68 - 69 6a 6b 6c 6d 6e 6f 70 \tabcdefghijklmnop\r");
    EXPECT_EQ(sDump.substr(68, 4), "71  ");
    EXPECT_EQ(sDump.substr(118), "\tq               \r");
}

TEST(HexDump, TextColumnHidesWhatCannotBeShown) {
    struct Case {
        std::string sBytes;
        std::string sText; // the 16-character column
    };
    const Case aCases[] = {
        {"\x01\x1f\x7f\xfd\xfe\xff", "......"},
        {"\xa0"
         "a",
         ".a"},
        {"\x81\xa0", "\x81\xa0"}, // A0 as a trail byte stays
        {"\x93\xfa\x96\x7b", "\x93\xfa\x96\x7b"},
        {"\xb1\xb2", "\xb1\xb2"}, // half-width katakana
        {"\x81\x0a", "\x81."},    // a control byte is never shown
        {std::string(15, 'x') + "\x93\xfa", std::string(15, 'x') + "."},
    };
    for (const Case& c : aCases) {
        const std::string sDump = HexDump(Bytes(c.sBytes));
        ASSERT_GE(sDump.size(), 68u);
        std::string sExpected = c.sText.substr(0, 16);
        sExpected.resize(16, ' ');
        EXPECT_EQ(sDump.substr(51, 16), sExpected) << sDump;
        EXPECT_EQ(sDump.size() % 68, 0u);
    }
    // The lead byte at the end of the first line shows as "."; its trail starts the next.
    const std::string sDump = HexDump(Bytes(std::string(15, 'x') + "\x93\xfa"));
    EXPECT_EQ(sDump[68 + 51], '\xfa');
}

TEST(DetectCharCode, HeuristicDecidesBetweenShiftJisAndUtf16) {
    struct Case {
        std::string sBytes;
        TMyCharCode cdExpected;
    };
    const Case aCases[] = {
        {std::string("a\0b\0c\0", 6), cdUTF_16LE},
        {std::string("\0a\0b\0c", 6), cdUTF_16BE},
        {std::string("a\0\0b", 4), cdSJis}, // zeros at both offsets
        {"plain ascii", cdSJis},
        {"\x93\xfa\x96\x7b\x8c\xea", cdSJis}, // 日本語
        {"\xb1\xb2\xb3", cdSJis},             // half-width katakana
        {"\x42\x30\x44\x30", cdSJis},         // あい in UTF-16LE happen to be valid Shift-JIS
        {"\x81\x30\x42\x30", cdUTF_16LE},     // めあ in UTF-16LE: 81 30 is no Shift-JIS pair
        {"\x30\x81\x30\x42", cdUTF_16BE},     // the same in UTF-16BE: no kana read as LE
        {"\x81\x7f", cdUTF_16BE},             // 7F is never valid, no kana either way
        {"\x81", cdSJis},                     // a lone lead byte is still valid
        {"\xfb\xfc\xfa\xb1\x82\xb3", cdSJis}, // 髙﨑さ: the IBM kanji rows lead too
        {"\xa0\x41", cdUTF_16BE},             // A0 without a lead is no Shift-JIS
        {std::string("ab\0cd\x93\xfa", 7), cdSJis}, // one zero byte is a stray byte
        {std::string("a\0b\0", 4), cdUTF_16LE},
        {"", cdSJis},
    };
    for (const Case& c : aCases) {
        EXPECT_EQ(GuessSJisOrUtf16(Bytes(c.sBytes)), c.cdExpected)
            << ::testing::PrintToString(c.sBytes);
    }
}

// Files without a mark as people and other programs write them: the encoding is decided
// on the whole text, and a stray zero byte neither changes it nor ends the text.
TEST(ReadTextFile, DetectionLooksAtTheWholeTextWithoutAMark) {
    std::string sAsciiHead;
    while (sAsciiHead.size() < 1500) {
        sAsciiHead += "/media/disk/videos/holiday-" + std::to_string(sAsciiHead.size()) + ".mp4\n";
    }
    const std::u16string sHead(sAsciiHead.begin(), sAsciiHead.end());
    struct Case {
        std::string sBytes;
        TMyCharCode cdExpected;
        std::u16string sText;
    };
    const Case aCases[] = {
        // "ls -1 > list" in a UTF-8 locale: ASCII names first, Japanese ones after 1 KiB.
        {sAsciiHead +
             "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\xE3\x81\xAE\xE5\x8B\x95\xE7\x94\xBB.mp4\n",
         cdUTF_8N, sHead + u"日本語の動画.mp4\n"},
        // The same names in Shift-JIS stay Shift-JIS.
        {sAsciiHead + "\x93\xfa\x96\x7b\x8c\xea\x82\xcc\x93\xae\x89\xe6.mp4\n", cdSJis,
         sHead + u"日本語の動画.mp4\n"},
        // UTF-8 in the head and Shift-JIS later: not UTF-8 throughout.
        {"\xE6\x97\xA5.mp4\n" + sAsciiHead + "\x93\xfa.mp4\n", cdSJis, {}},
        // A zero byte in a Shift-JIS or UTF-8 settings file.
        {"[Play]\r\nVolume=50\r\n\0[Mine]\r\nName=\x93\xfa\x96\x7b\r\n"s, cdSJis,
         u"[Play]\r\nVolume=50\r\n[Mine]\r\nName=日本\r\n"},
        {"[Play]\r\nVolume=50\0\r\n[Mine]\r\nName=\xE6\x97\xA5\r\n"s, cdUTF_8N,
         u"[Play]\r\nVolume=50\r\n[Mine]\r\nName=日\r\n"},
        {"[Play]\r\n\0Volume=50\r\n"s, cdSJis, u"[Play]\r\nVolume=50\r\n"},
        // A zero-filled tail, as a crash can leave one, adds nothing.
        {"[Play]\r\nVolume=50\r\n\0\0\0\0\0\0"s, cdSJis, u"[Play]\r\nVolume=50\r\n"},
        // Real UTF-16 without a mark keeps its zeros and is still found.
        {"[\0P\0]\0\r\0\n\0"s, cdUTF_16LE, u"[P]\r\n"},
    };
    for (const Case& c : aCases) {
        TMyCharCode cdCode = cdAuto;
        const std::u16string sText = Decode(c.sBytes, cdCode);
        EXPECT_EQ(cdCode, c.cdExpected) << c.sBytes.substr(0, 40);
        if (!c.sText.empty()) {
            EXPECT_EQ(sText, c.sText) << c.sBytes.substr(0, 40);
        }
    }
}

TEST(DetectCharCode, Utf8TextIsValidThroughout) {
    EXPECT_TRUE(IsUtf8Text(Bytes("a\xC3\xA9\xE6\x97\xA5\xF0\x9F\x8E\xA5")));
    for (const char* p : {"plain ascii", "\xC3", "\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80",
                          "\xE6\x97", "\x93\xfa\x96\x7b"}) {
        EXPECT_FALSE(IsUtf8Text(Bytes(p))) << ::testing::PrintToString(std::string(p));
    }
}

TEST(DetectCharCode, CodePagesMapOntoTheEncodings) {
    struct Case {
        int32_t iCodePage;
        TMyCharCode cdExpected;
    };
    const Case aCases[] = {
        {1200, cdUTF_16LE}, {1201, cdUTF_16BE}, {20932, cdEUC},   {51932, cdEUC},    {51936, cdEUC},
        {51949, cdEUC},     {50220, cdJIS},     {50221, cdJIS},   {50222, cdJIS},    {50225, cdJIS},
        {50227, cdJIS},     {50226, cdSJis},    {65000, cdUTF_7}, {65001, cdUTF_8N}, {932, cdSJis},
        {1252, cdSJis},     {20127, cdSJis},    {0, cdSJis},
    };
    for (const Case& c : aCases) {
        EXPECT_EQ(CharCodeOfCodePage(c.iCodePage), c.cdExpected) << c.iCodePage;
    }
}

TEST(DetectCharCode, MarksComeFirst) {
    EXPECT_EQ(DetectCharCode(Bytes("\xEF\xBB\xBF")), cdUTF_8);
    EXPECT_EQ(DetectCharCode(Bytes("\xFF\xFE")), cdUnicodeLE);
    EXPECT_EQ(DetectCharCode(Bytes("\xFE\xFF")), cdUnicodeBE);
    EXPECT_EQ(DetectCodePage(Bytes("just ascii\r\n")), 20127);
    EXPECT_EQ(DetectCodePage({}), 1252);
}

TEST(WriteTextFile, WritesTheBytesOfEachEncoding) {
    struct Case {
        std::u16string sText;
        TMyCharCode cdCode;
        std::string sBytes;
    };
    const Case aCases[] = {
        {u"abc", cdUnicodeBE, std::string("\xFE\xFF\0a\0b\0c", 8)},
        {u"abc", cdUTF_8,
         "\xEF\xBB\xBF"
         "abc"},
        {u"abc", cdAuto, "abc"},
        {u"abc", cdUnicodeLE,
         std::string("\xFF\xFE"
                     "a\0b\0c\0",
                     8)},
        {u"abc", cdUTF_16LE, std::string("a\0b\0c\0", 6)},
        {u"abc", cdUTF_16BE, std::string("\0a\0b\0c", 6)},
        {u"\uFEFFab", cdUTF_8,
         "\xEF\xBB\xBF"
         "ab"},
        {u"\uFEFFab", cdUTF_8N, "ab"},
        {u"\uFEFFa", cdUnicodeLE,
         std::string("\xFF\xFE"
                     "a\0",
                     4)},
        {u"\uFEFFa", cdUTF_16BE, std::string("\0a", 2)},
        {u"日本\\～", cdSJis, "\x93\xfa\x96\x7b\x5c\x81\x60"},
        {u"日本", cdAuto, "\x93\xfa\x96\x7b"},
        {u"〜", cdAuto, "\xEF\xBB\xBF\xE3\x80\x9C"}, // U+301C has no exact form in 932
        {u"é", cdAuto, "\xEF\xBB\xBF\xC3\xA9"},
        {u"①", cdBINDUMP, "\x87\x40"},
        {u"日本ｱ", cdEUC, "\xc6\xfc\xcb\xdc\x8e\xb1"},
        {u"日本a", cdJIS, "\x1b$BF|K\\\x1b(Ba"},
        {u"か\u3099", cdSJis, "\x82\xaa"}, // precomposed to が
        {u"", cdUTF_8, "\xEF\xBB\xBF"},
        {u"", cdSJis, ""},
    };
    TempFolder folder;
    for (const Case& c : aCases) {
        const std::u16string sFile = folder / u"out.txt";
        ASSERT_TRUE(WriteTextFile(sFile, c.sText, c.cdCode)) << static_cast<int>(c.cdCode);
        EXPECT_EQ(ReadBytes(sFile), c.sBytes) << static_cast<int>(c.cdCode);
    }
}

TEST(NeedsUnicode, TellsWhetherTheAnsiCodePageHoldsTheText) {
    struct Case {
        std::u16string sText;
        bool bNeeds;
    };
    const Case aCases[] = {
        {u"", false},        {u"abc\\", false}, {u"日本語ｶﾅ", false}, {u"①Ⅰ㈱髙﨑", false},
        {u"～∥－￢", false}, {u"〜", true},     {u"‖", true},         {u"−", true},
        {u"¥", true},        {u"¬", true},      {u"é", true},         {u"한", true},
        {u"😀", true},        {u"\xD800", true},
    };
    for (const Case& c : aCases) {
        EXPECT_EQ(NeedsUnicode(c.sText), c.bNeeds) << Utf16ToUtf8(c.sText);
    }
}

TEST(ReadTextFile, FilesOnDisk) {
    TempFolder folder;
    int iBeeps = 0;
    SetBeepHook([&] { ++iBeeps; });

    TMyCharCode cdCode = cdEUC;
    EXPECT_EQ(ReadTextFile(folder / u"missing.txt", cdCode), u"");
    EXPECT_EQ(cdCode, cdEUC) << "nothing was read, so the code stays";
    EXPECT_EQ(ReadTextFile(folder.Write(u"empty.txt", ""), cdCode), u"");
    EXPECT_EQ(ReadTextFile(folder.MakeFolder(u"dir"), cdCode), u"");
    EXPECT_EQ(ReadTextFile(folder.MakeFolder(u"dir"), cdCode, 100), u"");
    EXPECT_EQ(cdCode, cdEUC);

    const std::u16string sFile = folder.Write(u"t.txt", "\xEF\xBB\xBFhello");
    cdCode = cdAuto;
    EXPECT_EQ(ReadTextFile(sFile, cdCode), u"hello");
    EXPECT_EQ(cdCode, cdUTF_8);
    cdCode = cdAuto;
    EXPECT_EQ(ReadTextFile(sFile, cdCode, 5), u"he");
    cdCode = cdAuto;
    EXPECT_EQ(ReadTextFile(sFile, cdCode, int64_t{1} << 40), u"hello")
        << "a byte count beyond the file reads the file";
    cdCode = cdAuto;
    EXPECT_EQ(ReadTextFile(sFile, cdCode, -3), u"");

    const std::string sFifo = folder.Path() + "/fifo";
    ASSERT_EQ(mkfifo(sFifo.c_str(), 0600), 0);
    EXPECT_EQ(ReadTextFile(*Utf8ToUtf16(sFifo), cdCode, 10), u"") << "a FIFO must not block";
    EXPECT_EQ(iBeeps, 0);

    // A file that cannot be opened is retried three times, pumping events between the
    // attempts, then given up with a beep. A symbolic link to itself fails to open even for
    // root.
    int iPumps = 0;
    SetEventPump([&] { ++iPumps; });
    const std::string sLoop = folder.Path() + "/loop";
    ASSERT_EQ(symlink(sLoop.c_str(), sLoop.c_str()), 0);
    EXPECT_EQ(ReadTextFile(*Utf8ToUtf16(sLoop), cdCode, 10), u"");
    EXPECT_EQ(iBeeps, 1);
    EXPECT_EQ(iPumps, 3);
    SetEventPump({});
    SetBeepHook({});
}

TEST(ReadTextFile, AFileOf4GiBOrMoreIsNotRead) {
    TempFolder folder;
    // A sparse file: 4 GiB long without taking the room.
    const std::u16string sFile = folder.Write(u"huge.bin", "\xEF\xBB\xBF"
                                                           "abc");
    ASSERT_EQ(truncate(Utf16ToUtf8(sFile).c_str(), int64_t{4} << 30), 0);
    TMyCharCode cdCode = cdSJis;
    EXPECT_EQ(ReadTextFile(sFile, cdCode), u"");
    EXPECT_EQ(cdCode, cdSJis);
    // Its head can still be read by count.
    cdCode = cdUTF_8N;
    EXPECT_EQ(ReadTextFile(sFile, cdCode, 6), u"\uFEFFabc");
    cdCode = cdAuto;
    EXPECT_EQ(ReadTextFile(sFile, cdCode, int64_t{4} << 30), u"");
}

TEST(WriteTextFile, ReplacesTheFileAtomicallyAndKeepsItsMode) {
    TempFolder folder;
    const std::u16string sFile = folder.Write(u"list.txt", "old content");
    const std::string sPath = Utf16ToUtf8(sFile);
    ASSERT_EQ(chmod(sPath.c_str(), 0640), 0);
    ASSERT_TRUE(WriteTextFile(sFile, u"new", cdUTF_8N));
    EXPECT_EQ(ReadBytes(sFile), "new");
    struct stat st {};
    ASSERT_EQ(stat(sPath.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);

    // Saving through a symbolic link writes its target and keeps the link.
    const std::string sLink = folder.Path() + "/link.txt";
    ASSERT_EQ(symlink(sPath.c_str(), sLink.c_str()), 0);
    ASSERT_TRUE(WriteTextFile(*Utf8ToUtf16(sLink), u"via link", cdUTF_8N));
    EXPECT_EQ(ReadBytes(sFile), "via link");
    struct stat stLink {};
    ASSERT_EQ(lstat(sLink.c_str(), &stLink), 0);
    EXPECT_TRUE(S_ISLNK(stLink.st_mode));

    // Nothing is left behind beside the file.
    size_t iEntries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
        ++iEntries;
    }
    EXPECT_EQ(iEntries, 2u);
}

TEST(WriteTextFile, FailuresReportFalseAndLeaveTheOldFile) {
    TempFolder folder;
    EXPECT_FALSE(WriteTextFile(folder.MakeFolder(u"dir"), u"x", cdUTF_8));
    EXPECT_FALSE(WriteTextFile(folder / u"no/such/folder/x.txt", u"x", cdUTF_8));
    EXPECT_FALSE(WriteTextFile(u"", u"x", cdUTF_8));
    if (geteuid() != 0) {
        const std::u16string sFile = folder.Write(u"ro/kept.txt", "old");
        ASSERT_EQ(chmod(Utf16ToUtf8(folder / u"ro").c_str(), 0500), 0);
        EXPECT_FALSE(WriteTextFile(sFile, u"new", cdUTF_8));
        EXPECT_EQ(ReadBytes(sFile), "old");
    }
    // A write cut short (here by the file size limit) is noticed; the old file stays whole
    // and the temporary file is gone.
    {
        const std::u16string sFile = folder.Write(u"big.txt", "old");
        signal(SIGXFSZ, SIG_IGN);
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit limit = saved;
        limit.rlim_cur = 1000;
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
        const bool bWritten = WriteTextFile(sFile, std::u16string(5000, u'x'), cdUTF_8N);
        setrlimit(RLIMIT_FSIZE, &saved);
        signal(SIGXFSZ, SIG_DFL);
        EXPECT_FALSE(bWritten);
        EXPECT_EQ(ReadBytes(sFile), "old");
        for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
            EXPECT_EQ(entry.path().filename().string().find(".skivra-save"), std::string::npos);
        }
    }
    // A full device: the short write is noticed, and the device itself is not replaced.
    if (access("/dev/full", W_OK) == 0) {
        EXPECT_FALSE(WriteTextFile(u"/dev/full", u"x", cdUTF_8));
    }
}

TEST(TMyWStringsFile, LoadAndSaveKeepTheEncodingAndLineEnds) {
    TempFolder folder;
    const std::u16string sFile = folder.Write(u"in.txt", std::string("\xFF\xFE"
                                                                     "a\0\n\0b\0\n\0",
                                                                     10));
    TMyWStrings sl;
    sl.LoadFromFile(sFile);
    EXPECT_EQ(sl.CharCode(), cdUnicodeLE);
    EXPECT_EQ(sl.NewLine(), nlLF);
    ASSERT_EQ(sl.Count(), 2);
    EXPECT_EQ(sl.Get(1), u"b");
    ASSERT_TRUE(sl.SaveToFile(folder / u"out.txt"));
    EXPECT_EQ(ReadBytes(folder / u"out.txt"), ReadBytes(sFile));

    ASSERT_TRUE(sl.SaveToFile(folder / u"crlf.txt", cdUTF_8N, nlCRLF));
    EXPECT_EQ(sl.NewLine(), nlCRLF);
    EXPECT_EQ(ReadBytes(folder / u"crlf.txt"), "a\r\nb\r\n");

    sl.AddFile(folder / u"crlf.txt");
    EXPECT_EQ(sl.Count(), 4);
    EXPECT_EQ(sl.CharCode(), cdUnicodeLE) << "AddFile leaves the list's encoding alone";

    TMyCharCode cdCode = cdAuto;
    sl.LoadFromFile(folder / u"crlf.txt", cdCode, 3);
    EXPECT_EQ(cdCode, cdSJis);
    EXPECT_EQ(sl.Count(), 1);
    EXPECT_EQ(sl.Get(0), u"a");

    EXPECT_FALSE(sl.SaveToFile(folder.MakeFolder(u"sub")));
}

// A playlist of real-looking paths: Japanese and Latin folders, numbered tracks.
std::string MakePlaylistBytes(int iEntries, bool bMark) {
    static const char* const aFolders[] = {"/home/user/音楽/宇多田ヒカル/First Love",
                                           "/home/user/Music/The Beatles/Abbey Road",
                                           "/media/usb/ビデオ/ｱﾆﾒ 第①話", "/srv/共有/録画"};
    std::string s = bMark ? "\xEF\xBB\xBF" : "";
    for (int i = 0; i < iEntries; ++i) {
        s += aFolders[i % 4];
        s += "/" + std::to_string(i % 97 + 1) + " - トラック" + std::to_string(i) + ".mp3\r\n";
    }
    return s;
}

TEST(TMyWStringsFile, HundredThousandEntriesComeBackByteForByte) {
    TempFolder folder;
    for (const bool bMark : {true, false}) {
        const std::string sBytes = MakePlaylistBytes(100000, bMark);
        const std::u16string sFile = folder.Write(u"big.playlist", sBytes);
        TMyWStrings sl;
        sl.LoadFromFile(sFile);
        ASSERT_EQ(sl.Count(), 100000);
        EXPECT_EQ(sl.CharCode(), bMark ? cdUTF_8 : cdUTF_8N);
        EXPECT_EQ(sl.Get(99999), u"/srv/共有/録画/90 - トラック99999.mp3");
        ASSERT_TRUE(sl.SaveToFile(folder / u"saved.playlist"));
        EXPECT_TRUE(ReadBytes(folder / u"saved.playlist") == sBytes) << "mark " << bMark;
    }
}

TEST(TMyWStringsFile, EncodedViews) {
    TMyWStrings sl;
    sl.Add(u"日本");
    sl.Add(u"a+b");
    EXPECT_EQ(sl.Utf8Strings(), (std::vector<std::string>{"\xE6\x97\xA5\xE6\x9C\xAC", "a+b"}));
    const std::vector<std::string>& aUtf7 = sl.Utf7Strings();
    ASSERT_EQ(aUtf7.size(), 2u);
    EXPECT_EQ(Utf7ToUnicode(aUtf7[0]), u"日本");
    EXPECT_EQ(Utf7ToUnicode(aUtf7[1]), u"a+b");
}

} // namespace
} // namespace skivra
