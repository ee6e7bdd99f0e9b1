#include "app/mySettingsValues.h"

#include "lists/listEntries.h"
#include "lists/myWStrings.h"
#include "settings/myIniFile.h"
#include "support/TempFolder.h"
#include "support/myUnicode.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace skivra {
namespace {

using test::Entries;
using test::TempFolder;
using V = TMySettingsValues;

std::string ReadBytes(const std::u16string& sPath) {
    std::ifstream in(Utf16ToUtf8(sPath), std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// The bytes of a literal, zero bytes included.
template <std::size_t N> std::string Bytes(const char (&a)[N]) {
    return std::string(a, N - 1);
}

V RoundTrip(const TempFolder& dir, const V& written) {
    const std::u16string sIni = dir / u"skivra.ini";
    {
        TMyIniFile ini(sIni);
        WriteSettingsValues(ini, written);
    }
    TMyIniFile ini(sIni);
    V read;
    ReadSettingsValues(ini, read);
    return read;
}

TEST(SettingsValues, EveryKeyRoundTrips) {
    V flipped;
    flipped.bFolderName = true;
    flipped.bMute = true;
    flipped.iVolume = 0;
    flipped.sFileName = u"/動画/第2話 [Live] & more;=x.mp4";
    flipped.iResumeIndex = 99999;
    flipped.fResumePosition = 1234.567;
    flipped.bRandom = true;
    flipped.bTaskTray = true;
    flipped.bInfoPanel = false;
    flipped.bShowStatusBar = false;
    flipped.sOpenFileDir = u"/home/u/ビデオ";
    flipped.sOpenFolderDir = u"/mnt/media/";
    V extremes = flipped;
    extremes.iVolume = 100;
    extremes.iResumeIndex = INT32_MAX;
    extremes.fResumePosition = 0.001;
    V negative;
    negative.iResumeIndex = INT32_MIN;
    negative.iVolume = 37;
    const V cases[] = {V{}, flipped, extremes, negative};
    for (const V& written : cases) {
        TempFolder dir;
        const V read = RoundTrip(dir, written);
        EXPECT_EQ(read.bFolderName, written.bFolderName);
        EXPECT_EQ(read.bMute, written.bMute);
        EXPECT_EQ(read.iVolume, written.iVolume);
        EXPECT_EQ(read.sFileName, written.sFileName);
        EXPECT_EQ(read.iResumeIndex, written.iResumeIndex);
        EXPECT_DOUBLE_EQ(read.fResumePosition, written.fResumePosition);
        EXPECT_EQ(read.bRandom, written.bRandom);
        EXPECT_EQ(read.bTaskTray, written.bTaskTray);
        EXPECT_EQ(read.bInfoPanel, written.bInfoPanel);
        EXPECT_EQ(read.bShowStatusBar, written.bShowStatusBar);
        EXPECT_EQ(read.sOpenFileDir, written.sOpenFileDir);
        EXPECT_EQ(read.sOpenFolderDir, written.sOpenFolderDir);
    }
}

TEST(SettingsValues, KeysAreWrittenInTheirSectionsInOrder) {
    TempFolder dir;
    const std::u16string sIni = dir / u"skivra.ini";
    {
        TMyIniFile ini(sIni);
        V v;
        v.sFileName = u"/a.mp4";
        v.iResumeIndex = 3;
        v.fResumePosition = 2.5;
        WriteSettingsValues(ini, v);
    }
    EXPECT_EQ(ReadBytes(sIni),
              "[List]\r\nFolderName=0\r\n\r\n"
              "[Play]\r\nMute=0\r\nVolume=100\r\n\r\n"
              "[Resume]\r\nFileName=/a.mp4\r\nResumeIndex=3\r\nResumePosition=2.5\r\n"
              "\r\n"
              "[Option]\r\nRandom=0\r\nTaskTray=0\r\nInfoPanel=1\r\nShowStatusBar=1\r\n"
              "\r\n"
              "[Dialog]\r\nOpenFileDir=\r\nOpenFolderDir=\r\n\r\n");
}

// Hand edits: what each bad value reads as, starting from the designed defaults.
TEST(SettingsValues, BadValuesKeepTheWindowsOwnOrClamp) {
    struct Case {
        const char* line; // under its section
        const char* section;
        std::function<bool(const V&)> ok;
    };
    const Case cases[] = {
        {"Volume=250", "Play",
         [](const V& v) {
             return v.iVolume == 100;
         }},
        {"Volume=-5", "Play",
         [](const V& v) {
             return v.iVolume == 0;
         }},
        {"Volume=99999999999", "Play",
         [](const V& v) {
             return v.iVolume == 100;
         }},
        {"ResumeIndex=88888888888888", "Resume",
         [](const V& v) {
             return v.iResumeIndex == -1;
         }},
        {"ResumePosition=nan", "Resume",
         [](const V& v) {
             return v.fResumePosition == 0.0;
         }},
        {"ResumePosition=-30", "Resume",
         [](const V& v) {
             return v.fResumePosition == 0.0;
         }},
        {"ResumePosition=1e999", "Resume",
         [](const V& v) {
             return v.fResumePosition == 0.0;
         }},
        {"ResumePosition=", "Resume",
         [](const V& v) {
             return v.fResumePosition == 0.0;
         }},
        {"InfoPanel=", "Option",
         [](const V& v) {
             return v.bInfoPanel;
         }},
        {"Mute=99999999999", "Play",
         [](const V& v) {
             return !v.bMute;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        TempFolder dir;
        const std::u16string sIni = dir / u"skivra.ini";
        std::ofstream(Utf16ToUtf8(sIni), std::ios::binary) << "[" << c.section << "]\r\n"
                                                           << c.line << "\r\n";
        TMyIniFile ini(sIni);
        V v;
        ReadSettingsValues(ini, v);
        EXPECT_TRUE(c.ok(v));
    }
}

// Whatever the file holds, reading gives a record: the start never fails on it.
TEST(SettingsValues, DamagedFilesReadAsTheDefaultsAroundWhatSurvives) {
    const std::string damaged[] = {
        Bytes("\0\0\0\xFF\xFE garbage \x80\x81"),
        "[Play]\r\nVolume=4", // cut off in the middle of the last line
        "[Play\r\nVolume=40\r\n",
        "Volume=40\r\n[Play]\r\n",
        std::string(100000, '['),
        "\xEF\xBB\xBF[Play]\r\nVolume=40\r\n[Play]\r\nVolume=60\r\n",
    };
    for (const std::string& sContent : damaged) {
        TempFolder dir;
        const std::u16string sIni = dir / u"skivra.ini";
        std::ofstream(Utf16ToUtf8(sIni), std::ios::binary) << sContent;
        TMyIniFile ini(sIni);
        V v;
        ReadSettingsValues(ini, v);
        EXPECT_GE(v.iVolume, 0);
        EXPECT_LE(v.iVolume, 100);
        EXPECT_TRUE(v.bInfoPanel);
        EXPECT_EQ(v.iResumeIndex, -1);
    }
}

TEST(SettingsValues, HistorySectionsKeepTenPathsNewestFirst) {
    TempFolder dir;
    const std::u16string sIni = dir / u"skivra.ini";
    std::ofstream(Utf16ToUtf8(sIni), std::ios::binary)
        << "[OpenFileHistory]\r\n/a.mp4\r\n\r\n   \r\n  /b c.mp4  \r\n"
        << "/1\r\n/2\r\n/3\r\n/4\r\n/5\r\n/6\r\n/7\r\n/8\r\n/9\r\n"
        << "[Other]\r\nx=1\r\n";
    TMyIniFile ini(sIni);
    EXPECT_EQ(ReadHistorySection(ini, kHistoryOpenFile),
              (std::vector<std::u16string>{u"/a.mp4", u"/b c.mp4", u"/1", u"/2", u"/3", u"/4",
                                           u"/5", u"/6", u"/7", u"/8"}));
    EXPECT_TRUE(ReadHistorySection(ini, kHistoryOpenFolder).empty());

    const std::vector<std::u16string> written{u"/x/", u"/y/動画.mkv"};
    WriteHistorySection(ini, kHistoryOpenThisFolder, written);
    ini.UpdateFile();
    TMyIniFile again(sIni);
    EXPECT_EQ(ReadHistorySection(again, kHistoryOpenThisFolder), written);
    EXPECT_EQ(ReadHistorySection(again, kHistoryOpenFile).size(), 10u);
}

TEST(SettingsValues, WindowBoundsMustDescribeAWindow) {
    const TMyRect current{10, 20, 546, 475};
    struct Case {
        TMyRect saved;
        bool kept;
    };
    const Case cases[] = {
        {{100, 100, 700, 600}, true},
        {{-3000, -50, -2400, 400}, true}, // a monitor left of the primary one
        {{100, 100, 100, 600}, false},    // no width
        {{100, 100, 50, 600}, false},     // negative width
        {{0, 0, 40000, 300}, false},      // wider than any window can be
        {{INT32_MIN, 0, INT32_MAX, 300}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SaneWindowBounds(c.saved, current), c.kept ? c.saved : current);
    }
}

TEST(SettingsValues, ResumeIndexNeedsTheSameFileAtThatPlace) {
    TMyWStrings playlist;
    test::Fill(playlist, {u"/m/a.mp4", u"/m/B.mp4", u"/m/c.mp4"});
    struct Case {
        std::int32_t index;
        std::u16string_view name;
        std::int32_t expected;
    };
    const Case cases[] = {
        {1, u"/m/B.mp4", 1},
        {1, u"/M/b.MP4", 1},
        {1, u"/m/c.mp4", 0},
        {1, u"", 0},
        {3, u"/m/c.mp4", 0},
        {-1, u"/m/a.mp4", 0},
        {2, u"/m/c.mp4", 2},
        // Only ASCII letters fold: a full-width letter is another name.
        {1, u"/m/Ｂ.mp4", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ChooseResumeIndex(playlist, c.index, c.name), c.expected)
            << c.index << " " << Utf16ToUtf8(c.name);
    }
}

TEST(SavedPlaylist, WrittenAsUtf8WithMarkAndCrLfAndReadBack) {
    TempFolder dir;
    const std::u16string sFile = dir / u"skivra.playlist";
    TMyWStrings playlist;
    test::Fill(playlist, {u"/m/a.mp4", u"/動画/第2話.mkv", u"/m/ spaces .mp3"});
    ASSERT_TRUE(SaveSavedPlaylist(sFile, playlist));
    EXPECT_EQ(ReadBytes(sFile), "\xEF\xBB\xBF/m/a.mp4\r\n/\xE5\x8B\x95\xE7\x94\xBB/"
                                "\xE7\xAC\xAC\x32\xE8\xA9\xB1.mkv\r\n/m/ spaces .mp3\r\n");
    TMyWStrings read;
    ASSERT_TRUE(LoadSavedPlaylist(sFile, read));
    EXPECT_EQ(Entries(read), Entries(playlist));

    // A name with a line break (a legal file name here) is left out rather than split into
    // two entries that name nothing.
    playlist.Clear();
    test::Fill(playlist, {u"/m/a.mp4", u"/m/two\nlines.mp4", u"/m/cr\r.mp4", u"/m/b.mp4"});
    ASSERT_TRUE(SaveSavedPlaylist(sFile, playlist));
    ASSERT_TRUE(LoadSavedPlaylist(sFile, read));
    EXPECT_EQ(Entries(read), (std::vector<std::u16string>{u"/m/a.mp4", u"/m/b.mp4"}));

    TMyWStrings empty;
    ASSERT_TRUE(SaveSavedPlaylist(sFile, empty));
    ASSERT_TRUE(LoadSavedPlaylist(sFile, read));
    EXPECT_EQ(read.Count(), 0);
}

TEST(SavedPlaylist, DamagedLinesAreSkippedAndTheRestKept) {
    struct Case {
        std::string bytes;
        std::vector<std::u16string> entries;
    };
    const Case cases[] = {
        // A byte that is no UTF-8 spoils its own line only.
        {"\xEF\xBB\xBF/a.mp4\r\n/b\xFF\xFE.mp4\r\n/c.mp4\r\n", {u"/a.mp4", u"/c.mp4"}},
        {Bytes("\xEF\xBB\xBF/a.mp4\r\n/b\0.mp4\r\n/c.mp4"), {u"/a.mp4", u"/c.mp4"}},
        // Cut off in the middle of a character, and of a line.
        {"\xEF\xBB\xBF/a.mp4\r\n/\xE5\x8B", {u"/a.mp4"}},
        {"\xEF\xBB\xBF/a.mp4\r\n/b.mp", {u"/a.mp4", u"/b.mp"}},
        // Other line ends and blank lines, as an editor may leave them.
        {"\xEF\xBB\xBF/a.mp4\n\n/b.mp4\r\r\n  \r\n/c.mp4\r", {u"/a.mp4", u"/b.mp4", u"/c.mp4"}},
        {"\xEF\xBB\xBF", {}},
        {"", {}},
        // A list written by hand without the mark: its encoding is detected.
        {"/a.mp4\r\n/b.mp4\r\n", {u"/a.mp4", u"/b.mp4"}},
        {Bytes("\xFF\xFE/\0a\0\r\0\n\0"), {u"/a"}},
    };
    for (const Case& c : cases) {
        TempFolder dir;
        const std::u16string sFile = dir / u"skivra.playlist";
        std::ofstream(Utf16ToUtf8(sFile), std::ios::binary) << c.bytes;
        TMyWStrings read;
        EXPECT_TRUE(LoadSavedPlaylist(sFile, read));
        EXPECT_EQ(Entries(read), c.entries);
    }
}

TEST(SavedPlaylist, AFailedSaveSaysSoAndKeepsTheOldFile) {
    TempFolder dir;
    const std::u16string sFile = dir / u"skivra.playlist";
    TMyWStrings playlist;
    test::Fill(playlist, {u"/old.mp4"});
    ASSERT_TRUE(SaveSavedPlaylist(sFile, playlist));
    const std::string sOld = ReadBytes(sFile);

    // The folder cannot take the temporary file (even for root, a folder that is a file).
    TMyWStrings other;
    test::Fill(other, {u"/new.mp4"});
    EXPECT_FALSE(SaveSavedPlaylist(dir / u"no-folder-file/skivra.playlist", other));
    std::ofstream(Utf16ToUtf8(dir / u"plain")) << "x";
    EXPECT_FALSE(SaveSavedPlaylist(dir / u"plain/skivra.playlist", other));
    // A folder where the file should be is never replaced.
    std::filesystem::create_directory(Utf16ToUtf8(dir / u"taken.playlist"));
    EXPECT_FALSE(SaveSavedPlaylist(dir / u"taken.playlist", other));
    EXPECT_EQ(ReadBytes(sFile), sOld);

    TMyWStrings read;
    EXPECT_FALSE(LoadSavedPlaylist(dir / u"missing.playlist", read));
    EXPECT_FALSE(LoadSavedPlaylist(dir / u"taken.playlist", read));
}

} // namespace
} // namespace skivra
