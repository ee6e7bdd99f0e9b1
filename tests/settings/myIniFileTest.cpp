#include "settings/myIniFile.h"
#include "support/TempFolder.h"
#include "support/monitorLayouts.h"
#include "support/myProgram.h"
#include "support/myUnicode.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace skivra {
namespace {

using test::TempFolder;

std::string ReadBytes(const std::u16string& sPath) {
    std::ifstream in(Utf16ToUtf8(sPath), std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

std::vector<std::u16string> Lines(const TMyWStrings& list) {
    std::vector<std::u16string> lines;
    for (std::int32_t i = 0; i < list.Count(); ++i)
        lines.push_back(list.Get(i));
    return lines;
}

std::unique_ptr<TMyWStrings> ListOf(const std::vector<std::u16string>& lines) {
    auto list = std::make_unique<TMyWStrings>();
    for (const std::u16string& s : lines)
        list->Add(s);
    return list;
}

std::vector<std::u16string> SectionsOf(const std::u16string& sPath) {
    TMyIniFile ini(sPath);
    TMyWStrings list;
    ini.ReadSections(list);
    return Lines(list);
}

// Shift-JIS bytes of 日本語.
constexpr std::string_view kNihongoSJis = "\x93\xFA\x96\x7B\x8C\xEA";

TEST(IniFile, NewFileHoldsExactlyTheWrittenSection) {
    TempFolder dir;
    const std::u16string sPath = dir / u"skivra.ini";
    {
        TMyIniFile ini(sPath);
        ini.WriteString(u"Play", u"Volume", u"5");
    }
    EXPECT_EQ(ReadBytes(sPath), "[Play]\r\nVolume=5\r\n\r\n");
}

TEST(IniFile, RewrittenSectionMovesToTheEndAndOthersKeepTheirBytes) {
    TempFolder dir;
    const std::u16string sPath = dir.Write(u"a.ini", "; before every section\r\n"
                                                     "[A]\r\n"
                                                     "a=1\r\n"
                                                     "\r\n"
                                                     "; remark in A\r\n"
                                                     "[B]\r\n"
                                                     "b=1\r\n"
                                                     "; remark in B\r\n"
                                                     "\r\n"
                                                     "b2 = 2 \r\n"
                                                     "[C]\r\n"
                                                     "c=\"1\"\r\n");
    {
        TMyIniFile ini(sPath);
        ini.WriteString(u"b", u"B", u"9"); // names ignore ASCII case
    }
    EXPECT_EQ(ReadBytes(sPath), "; before every section\r\n"
                                "[A]\r\n"
                                "a=1\r\n"
                                "\r\n"
                                "; remark in A\r\n"
                                "[C]\r\n"
                                "c=\"1\"\r\n"
                                "[b]\r\n"
                                "B=9\r\n"
                                "b2 = 2 \r\n"
                                "\r\n");
}

TEST(IniFile, ReadingNeverTouchesTheFile) {
    TempFolder dir;
    // LF line ends and UTF-8 without a mark: a save would change both.
    const std::string sContent = "[A]\nname=\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\n[B]\nk=1\n";
    const std::u16string sPath = dir.Write(u"a.ini", sContent);
    struct stat before {};
    ASSERT_EQ(::stat(Utf16ToUtf8(sPath).c_str(), &before), 0);
    {
        TMyIniFile ini(sPath);
        EXPECT_EQ(ini.ReadString(u"A", u"name", u""), u"日本語");
        EXPECT_EQ(ini.ReadInteger(u"B", u"k", 0), 1);
        EXPECT_EQ(ini.ReadInteger(u"Missing", u"k", 4), 4);
        EXPECT_FALSE(ini.UpdateFile());
    }
    struct stat after {};
    ASSERT_EQ(::stat(Utf16ToUtf8(sPath).c_str(), &after), 0);
    EXPECT_EQ(ReadBytes(sPath), sContent);
    EXPECT_EQ(after.st_ino, before.st_ino); // not even replaced by an identical copy
}

TEST(IniFile, DuplicateKeysReadTheLastAndKeepItsPlace) {
    TempFolder dir;
    const std::u16string sPath = dir.Write(u"a.ini", "[S]\r\nK=1\r\nX=a\r\nk=2\r\n");
    {
        TMyIniFile ini(sPath);
        EXPECT_EQ(ini.ReadString(u"S", u"K", u""), u"2");
        ini.WriteString(u"S", u"X", u"b");
    }
    EXPECT_EQ(ReadBytes(sPath), "[S]\r\nX=b\r\nk=2\r\n\r\n");
}

TEST(IniFile, DuplicateSectionsReadTheFirst) {
    TempFolder dir;
    const std::u16string sPath =
        dir.Write(u"a.ini", "[Play]\r\nVolume=1\r\n[Other]\r\no=1\r\n[play]\r\nVolume=2\r\n");
    EXPECT_EQ(SectionsOf(sPath), (std::vector<std::u16string>{u"Play", u"Other", u"play"}));
    {
        TMyIniFile ini(sPath);
        EXPECT_EQ(ini.ReadInteger(u"Play", u"Volume", 0), 1);
        ini.WriteBool(u"Play", u"Mute", true);
    }
    EXPECT_EQ(ReadBytes(sPath),
              "[Other]\r\no=1\r\n[play]\r\nVolume=2\r\n[Play]\r\nVolume=1\r\nMute=1\r\n\r\n");
    TMyIniFile again(sPath);
    EXPECT_EQ(again.ReadInteger(u"Play", u"Volume", 0), 2); // the older one is first now
}

TEST(IniFile, HeadersAndOrdinaryLines) {
    TempFolder dir;
    const std::u16string sPath = dir.Write(u"a.ini", "[A]\r\n"
                                                     "a=1\r\n"
                                                     "[]\r\n"
                                                     "[ ]\r\n"
                                                     "[unclosed\r\n"
                                                     "  [  Play  ]  trailing word\r\n"
                                                     "Volume=3\r\n"
                                                     "no value here\r\n");
    TMyIniFile ini(sPath);
    EXPECT_EQ(SectionsOf(sPath), (std::vector<std::u16string>{u"A", u"Play"}));
    TMyWStrings list;
    ini.ReadSectionText(u"A", list);
    EXPECT_EQ(Lines(list), (std::vector<std::u16string>{u"a=1", u"[]", u"[ ]", u"[unclosed"}));
    ini.ReadSectionText(u" Play ", list);
    EXPECT_EQ(Lines(list), (std::vector<std::u16string>{u"Volume=3", u"no value here"}));
    ini.ReadSectionValues(u"Play", list);
    EXPECT_EQ(Lines(list), (std::vector<std::u16string>{u"Volume=3"}));
    EXPECT_EQ(ini.ReadInteger(u"play", u"VOLUME", 0), 3);
    EXPECT_TRUE(ini.SectionExists(u"  PLAY"));
    EXPECT_FALSE(ini.SectionExists(u"unclosed"));
}

TEST(IniFile, ValuesAreVerbatim) {
    TempFolder dir;
    const std::u16string sPath = dir.Write(u"a.ini", "[S]\r\n"
                                                     "spaced = x \r\n"
                                                     "two=a=b\r\n"
                                                     "quoted=\"q\"\r\n"
                                                     "empty=\r\n"
                                                     "; note=remark\r\n"
                                                     "  =nameless\r\n");
    TMyIniFile ini(sPath);
    EXPECT_EQ(ini.ReadString(u"S", u"spaced", u"d"), u" x ");
    EXPECT_EQ(ini.ReadString(u"S", u"two", u"d"), u"a=b");
    EXPECT_EQ(ini.ReadString(u"S", u"quoted", u"d"), u"\"q\"");
    EXPECT_EQ(ini.ReadString(u"S", u"empty", u"d"), u"d"); // empty reads as absent
    EXPECT_EQ(ini.ReadString(u"S", u"; note", u"d"), u"remark");
    EXPECT_EQ(ini.ReadString(u"S", u" spaced", u"d"), u"d"); // callers' keys are not trimmed
    TMyWStrings list;
    ini.ReadSection(u"S", list);
    EXPECT_EQ(Lines(list),
              (std::vector<std::u16string>{u"spaced", u"two", u"quoted", u"empty", u"; note"}));
}

TEST(IniFile, IntegersAndBooleans) {
    TempFolder dir;
    const std::u16string sPath = dir.Write(u"a.ini", "[T]\r\n"
                                                     "true=true\r\n"
                                                     "two=2\r\n"
                                                     "minus=-1\r\n"
                                                     "thousands=1,024\r\n"
                                                     "px=12px\r\n"
                                                     "hex=0x1F\r\n"
                                                     "ff=FF\r\n"
                                                     "fw=\xEF\xBC\x8D\xEF\xBC\x95\r\n" // －５
                                                     "blank= 42 \r\n"
                                                     "max=2147483647\r\n"
                                                     "min=-2147483648\r\n"
                                                     "big=2147483648\r\n"
                                                     "small=-2147483649\r\n"
                                                     "big64=5000000000\r\n");
    TMyIniFile ini(sPath);
    struct Case {
        std::u16string_view sKey;
        std::int32_t iDefault;
        std::int32_t iExpected;
        bool bRangeError;
    };
    const Case cases[] = {
        {u"true", 7, 0, false},
        {u"two", 7, 2, false},
        {u"minus", 7, -1, false},
        {u"thousands", 7, 1024, false},
        {u"px", 7, 12, false},
        {u"hex", 7, 31, false},
        {u"ff", 7, 255, false},
        {u"fw", 7, -5, false},
        {u"blank", 7, 42, false},
        {u"max", 7, 2147483647, false},
        {u"min", 7, -2147483647 - 1, false},
        {u"absent", 7, 7, false},
        {u"big", 7, 7, true},
        {u"small", -3, -3, true},
        {u"big64", 9, 9, true},
    };
    for (const Case& c : cases) {
        const std::size_t iErrors = ini.RangeErrorCount();
        EXPECT_EQ(ini.ReadInteger(u"T", c.sKey, c.iDefault), c.iExpected) << Utf16ToUtf8(c.sKey);
        EXPECT_EQ(ini.RangeErrorCount(), iErrors + (c.bRangeError ? 1 : 0)) << Utf16ToUtf8(c.sKey);
        if (c.bRangeError) {
            ASSERT_TRUE(ini.LastRangeError().has_value());
            EXPECT_EQ(ini.LastRangeError()->sSection, u"T");
            EXPECT_EQ(ini.LastRangeError()->sKey, c.sKey);
        }
    }
    EXPECT_EQ(ini.LastRangeError()->sValue, u"5000000000");

    EXPECT_FALSE(ini.ReadBool(u"T", u"true", true));
    EXPECT_TRUE(ini.ReadBool(u"T", u"two", false));
    EXPECT_TRUE(ini.ReadBool(u"T", u"minus", false));
    EXPECT_TRUE(ini.ReadBool(u"T", u"absent", true));
    EXPECT_TRUE(ini.ReadBool(u"T", u"big", true)); // out of range: the default
    bool bValue = true;
    ini.SetBool(u"T", u"absent", bValue);
    EXPECT_TRUE(bValue);
    ini.SetBool(u"T", u"true", bValue);
    EXPECT_FALSE(bValue);

    // One bad coordinate takes its own default; the others are read.
    ini.WriteString(u"R", u"W_Left", u"10");
    ini.WriteString(u"R", u"W_Top", u"5000000000");
    ini.WriteString(u"R", u"W_Bottom", u"40");
    EXPECT_EQ(ini.ReadRect(u"R", u"W", {1, 2, 3, 4}), (TMyRect{10, 2, 3, 40}));
    ini.SetDebug(true);
}

TEST(IniFile, TypedValuesRoundTrip) {
    TempFolder dir;
    const std::u16string sPath = dir / u"a.ini";
    const TMyFontValue font{u"Noto Sans CJK JP", 9, -16777215, true, false, true, false, 128};
    {
        TMyIniFile ini(sPath);
        ini.WriteInteger(u"V", u"Int", -42);
        ini.WriteBool(u"V", u"On", true);
        ini.WriteFloat(u"V", u"Pos", 12.375);
        ini.WriteFloat(u"V", u"Tiny", 1e-7);
        ini.WriteRect(u"V", u"App_Skivra", {-1920, 10, -1120, 610});
        ini.WritePoint(u"V", u"Pt", {3, -4});
        ini.WriteSize(u"V", u"Sz", {640, 480});
        ini.WriteFont(u"V", u"Label", font);
    }
    EXPECT_EQ(ReadBytes(sPath), "[V]\r\n"
                                "Int=-42\r\n"
                                "On=1\r\n"
                                "Pos=12.375\r\n"
                                "Tiny=1E-7\r\n"
                                "App_Skivra_Left=-1920\r\n"
                                "App_Skivra_Top=10\r\n"
                                "App_Skivra_Right=-1120\r\n"
                                "App_Skivra_Bottom=610\r\n"
                                "Pt_X=3\r\n"
                                "Pt_Y=-4\r\n"
                                "Sz_cx=640\r\n"
                                "Sz_cy=480\r\n"
                                "Label_FontName=Noto Sans CJK JP\r\n"
                                "Label_FontSize=9\r\n"
                                "Label_FontColor=-16777215\r\n"
                                "Label_FontStyleBold=1\r\n"
                                "Label_FontStyleItalic=0\r\n"
                                "Label_FontStyleUnderLine=1\r\n"
                                "Label_FontStyleStrikeOut=0\r\n"
                                "Label_FontCharset=128\r\n"
                                "\r\n");
    TMyIniFile ini(sPath);
    EXPECT_EQ(ini.ReadInteger(u"V", u"Int", 0), -42);
    EXPECT_TRUE(ini.ReadBool(u"V", u"On", false));
    EXPECT_EQ(ini.ReadFloat(u"V", u"Pos", 0), 12.375);
    EXPECT_EQ(ini.ReadFloat(u"V", u"Tiny", 0), 1e-7);
    EXPECT_EQ(ini.ReadRect(u"V", u"App_Skivra", {}), (TMyRect{-1920, 10, -1120, 610}));
    EXPECT_EQ(ini.ReadPoint(u"V", u"Pt", {}), (TMyPoint{3, -4}));
    EXPECT_EQ(ini.ReadSize(u"V", u"Sz", {}), (TMySize{640, 480}));
    TMyFontValue read{u"Other", 12, 0, false, true, false, true, 1};
    ini.SetFont(u"V", u"Label", read);
    EXPECT_EQ(read, font);
    TMyFontValue untouched{u"Other", 12, 5, false, true, false, true, 1};
    ini.SetFont(u"V", u"Missing", untouched);
    EXPECT_EQ(untouched, (TMyFontValue{u"Other", 12, 5, false, true, false, true, 1}));
}

TEST(IniFile, FloatsAndCharsets) {
    TempFolder dir;
    const std::u16string sPath = dir.Write(u"a.ini", "[F]\r\n"
                                                     "word=abc\r\n"
                                                     "num= 12.5 \r\n"
                                                     "empty=\r\n"
                                                     "big_FontCharset=300\r\n"
                                                     "neg_FontCharset=-5\r\n");
    TMyIniFile ini(sPath);
    EXPECT_EQ(ini.ReadFloat(u"F", u"word", 5.0), 0.0); // no number: 0, not the default
    EXPECT_EQ(ini.ReadFloat(u"F", u"num", 5.0), 12.5);
    EXPECT_EQ(ini.ReadFloat(u"F", u"empty", 2.5), 2.5);
    EXPECT_EQ(ini.ReadFloat(u"F", u"absent", -0.125), -0.125);
    TMyFontValue font;
    ini.SetFont(u"F", u"big", font);
    EXPECT_EQ(font.iCharset, 255);
    ini.SetFont(u"F", u"neg", font);
    EXPECT_EQ(font.iCharset, 0);
}

TEST(IniFile, FileNames) {
    TempFolder dir;
    ASSERT_EQ(setenv("SKIVRA_DATA_DIR", dir.Path().c_str(), 1), 0);
    const std::u16string sDefault = GetDataFileName(u".ini");
    EXPECT_TRUE(sDefault.starts_with(dir.Path16()));
    {
        TMyIniFile ini;
        EXPECT_EQ(ini.FileName(), sDefault);
        ini.WriteInteger(u"Play", u"Volume", 5);
        // A name that does not exist changes nothing: the object keeps its file.
        ini.SetFileName(dir / u"missing.ini");
        EXPECT_EQ(ini.FileName(), sDefault);
    }
    unsetenv("SKIVRA_DATA_DIR");
    EXPECT_EQ(ReadBytes(sDefault), "[Play]\r\nVolume=5\r\n\r\n");

    // Assigning an existing file loads it in place of the document.
    const std::u16string sOther = dir.Write(u"other.ini", "[Play]\r\nVolume=9\r\n");
    TMyIniFile ini(sDefault);
    ini.SetFileName(sOther);
    EXPECT_EQ(ini.FileName(), sOther);
    EXPECT_EQ(ini.ReadInteger(u"Play", u"Volume", 0), 9);
}

TEST(IniFile, DebugNeverWrites) {
    TempFolder dir;
    const std::u16string sPath = dir / u"a.ini";
    {
        TMyIniFile ini(sPath);
        ini.WriteString(u"S", u"k", u"v");
        ini.SetDebug(true);
        EXPECT_FALSE(ini.UpdateFile());
        ini.WriteString(u"S", u"k", u"w");
    }
    EXPECT_FALSE(std::filesystem::exists(Utf16ToUtf8(sPath)));
}

TEST(IniFile, UpdateFileWritesOnceAndReportsFailure) {
    TempFolder dir;
    const std::u16string sPath = dir / u"a.ini";
    TMyIniFile ini(sPath);
    EXPECT_FALSE(ini.UpdateFile()); // nothing changed
    ini.WriteString(u"S", u"k", u"v");
    EXPECT_TRUE(ini.UpdateFile());
    EXPECT_EQ(ReadBytes(sPath), "[S]\r\nk=v\r\n\r\n");
    EXPECT_FALSE(ini.UpdateFile()); // written already

    TMyIniFile nowhere(dir / u"missing folder/a.ini");
    nowhere.WriteString(u"S", u"k", u"v");
    EXPECT_FALSE(nowhere.UpdateFile());
    EXPECT_FALSE(nowhere.UpdateFile()); // the changes count as written
}

TEST(IniFile, LinesBeforeTheFirstHeaderSurviveEverySave) {
    TempFolder dir;
    const std::string sHead = "; written by hand\r\nstray=1\r\n\r\n";
    const std::u16string sPath = dir.Write(u"a.ini", sHead + "[A]\r\na=1\r\n");
    for (int i = 0; i < 3; ++i) {
        TMyIniFile ini(sPath);
        EXPECT_EQ(ini.ReadString(u"A", u"stray", u"none"), u"none");
        ini.WriteInteger(u"A", u"a", i);
        ini.WriteInteger(u"B", u"b", i);
    }
    EXPECT_EQ(ReadBytes(sPath), sHead + "[A]\r\na=2\r\n\r\n[B]\r\nb=2\r\n\r\n");
}

// The main window's save: the sections it writes come after those it does not know, in the
// order written, and the history sections hold their raw lines.
TEST(IniFile, MainWindowSaveOrder) {
    for (const bool bEraseBounds : {false, true}) {
        SCOPED_TRACE(bEraseBounds);
        TempFolder dir;
        const std::u16string sPath = dir.Write(u"skivra.ini", "[Option]\r\n"
                                                              "Random=1\r\n"
                                                              "\r\n"
                                                              "[OpenFileHistory]\r\n"
                                                              "/old/a.mp4\r\n"
                                                              "[Mine]\r\n"
                                                              "x=1\r\n"
                                                              "[Bounds]\r\n"
                                                              "App_Skivra_Left=1\r\n");
        {
            TMyIniFile ini(sPath);
            if (bEraseBounds)
                ini.EraseSection(u"Bounds");
            else
                ini.WriteBoundsRect(TMyIniFile::kBoundsSection, u"App_Skivra", {10, 20, 810, 620});
            ini.WriteBool(u"List", u"FolderName", false);
            ini.WriteBool(u"Play", u"Mute", false);
            ini.WriteInteger(u"Play", u"Volume", 100);
            ini.WriteString(u"Resume", u"FileName", u"/v/b.mp4");
            ini.WriteInteger(u"Resume", u"ResumeIndex", 2);
            ini.WriteFloat(u"Resume", u"ResumePosition", 61.5);
            ini.WriteBool(u"Option", u"Random", false);
            ini.WriteBool(u"Option", u"TaskTray", false);
            ini.WriteBool(u"Option", u"InfoPanel", true);
            ini.WriteBool(u"Option", u"ShowStatusBar", true);
            ini.WriteString(u"Dialog", u"OpenFileDir", u"/v");
            ini.WriteString(u"Dialog", u"OpenFolderDir", u"");
            ini.WriteSectionText(u"OpenFileHistory", *ListOf({u"/v/b.mp4", u"/old/a.mp4"}));
            ini.WriteSectionText(u"OpenFolderHistory", *ListOf({u"/v"}));
            ini.WriteSectionText(u"OpenThisFolderHistory", *ListOf({}));
        }
        std::vector<std::u16string> expected = {u"Mine",
                                                u"Bounds",
                                                u"List",
                                                u"Play",
                                                u"Resume",
                                                u"Option",
                                                u"Dialog",
                                                u"OpenFileHistory",
                                                u"OpenFolderHistory",
                                                u"OpenThisFolderHistory"};
        if (bEraseBounds)
            expected.erase(expected.begin() + 1);
        EXPECT_EQ(SectionsOf(sPath), expected);
        const std::string sBytes = ReadBytes(sPath);
        EXPECT_TRUE(sBytes.ends_with("[Dialog]\r\nOpenFileDir=/v\r\nOpenFolderDir=\r\n\r\n"
                                     "[OpenFileHistory]\r\n/v/b.mp4\r\n/old/a.mp4\r\n"
                                     "[OpenFolderHistory]\r\n/v\r\n"
                                     "[OpenThisFolderHistory]\r\n"))
            << sBytes;
        EXPECT_TRUE(sBytes.starts_with("[Mine]\r\nx=1\r\n")) << sBytes;
    }
}

TEST(IniFile, WholeSectionOperations) {
    TempFolder dir;
    const std::u16string sPath =
        dir.Write(u"a.ini", "[A]\r\na=1\r\n[B]\r\nb=1\r\n; remark\r\n[C]\r\nc=1\r\n");
    {
        TMyIniFile ini(sPath);
        ini.EraseSection(u"Missing");
        EXPECT_FALSE(ini.UpdateFile()); // erasing nothing changes nothing
        ini.EraseSection(u" b ");
        EXPECT_FALSE(ini.SectionExists(u"B"));
        ini.WriteSectionValues(u"V",
                               *ListOf({u"k=1", u"; remark", u"", u"nameless", u"K=2", u" j = 3"}));
        ini.WriteSectionText(u"T", *ListOf({u"line one", u"", u"x=y"}));
        ini.WriteSection(u"A"); // exists: nothing
        ini.WriteSection(u"New");
    }
    EXPECT_EQ(ReadBytes(sPath), "[A]\r\na=1\r\n"
                                "[C]\r\nc=1\r\n"
                                "[V]\r\nk=1\r\n j = 3\r\n\r\n" // the first of a repeated name
                                "[T]\r\nline one\r\n\r\nx=y\r\n"
                                "[New]\r\n\r\n");
}

// The key cache and the whole-section operations on the same section agree.
TEST(IniFile, KeyCacheFollowsWholeSectionWrites) {
    TempFolder dir;
    const std::u16string sPath = dir / u"a.ini";
    {
        TMyIniFile ini(sPath);
        ini.WriteString(u"S", u"k", u"1");
        ini.WriteSectionValues(u"S", *ListOf({u"k=5"}));
        EXPECT_EQ(ini.ReadString(u"S", u"k", u""), u"5");
        ini.WriteString(u"S", u"k", u"6");
        TMyWStrings list;
        ini.ReadSectionText(u"S", list); // the cached key lines
        EXPECT_EQ(Lines(list), (std::vector<std::u16string>{u"k=6"}));
        ini.WriteSectionText(u"S", *ListOf({u"k=7", u"raw"}));
        EXPECT_EQ(ini.ReadString(u"S", u"k", u""), u"7");
        ini.WriteString(u"E", u"pending", u"1");
        ini.EraseSection(u"E"); // pending key writes of an erased section go with it
        EXPECT_EQ(ini.ReadString(u"E", u"pending", u"gone"), u"gone");
    }
    EXPECT_EQ(ReadBytes(sPath), "[S]\r\nk=7\r\nraw\r\n");
}

TEST(IniFile, ValuesThatCannotBeOneLineAreRefused) {
    TempFolder dir;
    const std::u16string sPath = dir / u"a.ini";
    {
        TMyIniFile ini(sPath);
        EXPECT_TRUE(ini.WriteString(u"S", u"ok", u"a b"));
        EXPECT_FALSE(ini.WriteString(u"S", u"cr", u"a\rb"));
        EXPECT_FALSE(ini.WriteString(u"S", u"lf", u"a\nb"));
        EXPECT_FALSE(ini.WriteString(u"S", u"nul", std::u16string_view(u"a\0b", 3)));
        ini.WriteSectionText(u"H", *ListOf({u"/a", u"/b\n/c", std::u16string(u"/d\0", 3)}));
    }
    EXPECT_EQ(ReadBytes(sPath), "[S]\r\nok=a b\r\n\r\n[H]\r\n/a\r\n");
}

TEST(IniFile, LineEndsAndEncodings) {
    struct Case {
        const char* sName;
        std::string sIn;
        std::optional<TMyCharCode> cdRead; // nothing: plain ASCII, any reading is right
        std::string sOut;                  // after writing b=2 in section B
    };
    const Case cases[] = {
        {"LF", "[A]\na=1\n[B]\nb=1\n", std::nullopt, "[A]\na=1\n[B]\nb=2\n\n"},
        {"CR", "[A]\ra=1\r[B]\rb=1\r", std::nullopt, "[A]\ra=1\r[B]\rb=2\r\r"},
        {"mixed", "[A]\r\na=1\n[B]\nb=1\r\n", std::nullopt, "[A]\r\na=1\r\n[B]\r\nb=2\r\n\r\n"},
        {"no line end", "[B]\r\nb=1", std::nullopt, "[B]\r\nb=2\r\n\r\n"},
        // Characters that all fit the ANSI code page are written in it.
        {"UTF-8 with mark",
         "\xEF\xBB\xBF[A]\r\nname=\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\r\n[B]\r\nb=1\r\n", cdUTF_8,
         "[A]\r\nname=" + std::string(kNihongoSJis) + "\r\n[B]\r\nb=2\r\n\r\n"},
        // U+20BB7 has no Shift-JIS form: UTF-8 with the mark.
        {"UTF-8 outside Shift-JIS", "\xEF\xBB\xBF[A]\r\nname=\xF0\xA0\xAE\xB7\r\n[B]\r\nb=1\r\n",
         cdUTF_8, "\xEF\xBB\xBF[A]\r\nname=\xF0\xA0\xAE\xB7\r\n[B]\r\nb=2\r\n\r\n"},
        {"Shift-JIS", "[A]\r\nname=" + std::string(kNihongoSJis) + "\r\n[B]\r\nb=1\r\n", cdSJis,
         "[A]\r\nname=" + std::string(kNihongoSJis) + "\r\n[B]\r\nb=2\r\n\r\n"},
        {"UTF-16LE with mark", std::string("\xFF\xFE[\0B\0]\0\r\0\n\0b\0=\0001\0", 18), cdUnicodeLE,
         "[B]\r\nb=2\r\n\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sName);
        TempFolder dir;
        const std::u16string sPath = dir.Write(u"a.ini", c.sIn);
        {
            TMyIniFile ini(sPath);
            if (c.cdRead) {
                EXPECT_EQ(ini.ReadCharCode(), *c.cdRead);
            }
            EXPECT_EQ(ini.ReadInteger(u"B", u"b", 0), 1);
            ini.WriteInteger(u"B", u"b", 2);
        }
        EXPECT_EQ(ReadBytes(sPath), c.sOut);
    }
}

TEST(IniFile, WriteCharCodeChoosesTheEncoding) {
    TempFolder dir;
    const std::u16string sPath = dir / u"a.ini";
    {
        TMyIniFile ini(sPath, cdUTF_8N);
        ini.WriteString(u"S", u"name", u"日本語");
    }
    EXPECT_EQ(ReadBytes(sPath), "[S]\r\nname=\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\r\n\r\n");
    {
        TMyIniFile ini(sPath);
        ini.SetWriteCharCode(cdUTF_8);
        ini.WriteString(u"S", u"name", u"日本");
    }
    EXPECT_EQ(ReadBytes(sPath), "\xEF\xBB\xBF[S]\r\nname=\xE6\x97\xA5\xE6\x9C\xAC\r\n\r\n");
}

// A save goes through a temporary file: when it cannot be written completely, the old
// file stays as it was and the save reports failure.
TEST(IniFile, FailedSaveLeavesTheOldFile) {
    TempFolder dir;
    const std::string sOld = "[S]\r\nk=old\r\n";
    const std::u16string sPath = dir.Write(u"a.ini", sOld);
    std::signal(SIGXFSZ, SIG_IGN); // a write past the limit then fails with EFBIG
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit small = old;
    small.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    bool bSaved = true;
    {
        TMyIniFile ini(sPath);
        ini.WriteString(u"S", u"k", std::u16string(200, u'x'));
        bSaved = ini.UpdateFile();
    }
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_FALSE(bSaved);
    EXPECT_EQ(ReadBytes(sPath), sOld);
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        names.push_back(entry.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{"a.ini"}); // no temporary file left behind
}

TEST(IniFile, FolderGivenAsFileGivesAnEmptyDocument) {
    TempFolder dir;
    const std::u16string sPath = dir.MakeFolder(u"a.ini");
    TMyIniFile ini(sPath);
    EXPECT_EQ(ini.ReadString(u"S", u"k", u"d"), u"d");
    ini.WriteString(u"S", u"k", u"v");
    EXPECT_FALSE(ini.UpdateFile());
    EXPECT_TRUE(std::filesystem::is_directory(Utf16ToUtf8(sPath)));
}

// A file far larger than any settings file is read only up to the bound, and is then
// never written back: the tail it did not read would be lost.
TEST(IniFile, OversizedFileIsReadWithinTheBoundAndKept) {
    TempFolder dir;
    std::string sContent = "[S]\nk=1\n";
    for (int i = 0; sContent.size() <= static_cast<std::size_t>(TMyIniFile::kMaxFileBytes); ++i)
        sContent += "key" + std::to_string(i) + "=" + std::string(60, 'v') + "\n";
    sContent += "[Tail]\nt=1\n";
    const std::u16string sPath = dir.Write(u"big.ini", sContent);
    {
        TMyIniFile ini(sPath);
        EXPECT_TRUE(ini.Truncated());
        EXPECT_EQ(ini.ReadInteger(u"S", u"k", 0), 1);
        EXPECT_FALSE(ini.SectionExists(u"Tail")); // beyond the bound
        ini.WriteInteger(u"S", u"k", 2);
        EXPECT_FALSE(ini.UpdateFile());
    }
    EXPECT_EQ(ReadBytes(sPath), sContent);

    TMyIniFile small(dir.Write(u"small.ini", "[S]\nk=1\n"));
    EXPECT_FALSE(small.Truncated());
}

// A video renamed to .pls: whatever the bytes decode to, the read is bounded, finds no
// keys it should not, and the file is left alone.
TEST(IniFile, BinaryFileGivenAsPlaylist) {
    TempFolder dir;
    std::string sContent(static_cast<std::size_t>(TMyIniFile::kMaxFileBytes) + 4096, '\0');
    std::mt19937 random(6);
    for (char& c : sContent)
        c = static_cast<char>(random());
    const std::u16string sPath = dir.Write(u"video.pls", sContent);
    {
        TMyIniFile ini(sPath);
        EXPECT_TRUE(ini.Truncated());
        EXPECT_EQ(ini.ReadInteger(u"playlist", u"NumberOfEntries", -1), -1);
        ini.WriteInteger(u"playlist", u"NumberOfEntries", 0);
    }
    EXPECT_EQ(ReadBytes(sPath), sContent);
}

TEST(IniFile, MonitorBoundsRestoreOntoAWorkarea) {
    struct Case {
        test::TMyMonitorLayout (*layout)();
        TMyRect rcSaved;
        TMyRect rcExpected;
    };
    const Case cases[] = {
        // The monitor the window was on is gone: the nearest one, saved size kept.
        {test::SingleLayout, {3000, 100, 3800, 700}, {1120, 100, 1920, 700}},
        // 100 pixels over the right edge: 100 pixels to the left.
        {test::SingleLayout, {1220, 100, 2020, 700}, {1120, 100, 1920, 700}},
        // Wider than the work area: at its left edge, saved width kept.
        {test::SingleLayout, {100, 100, 2100, 700}, {0, 100, 2000, 700}},
        {test::SingleLayout, {100, 500, 900, 1100}, {100, 440, 900, 1040}},
        {test::SingleLayout, {100, 100, 900, 700}, {100, 100, 900, 700}},
        {test::SideBySideLayout, {2000, 900, 2800, 1500}, {2000, 480, 2800, 1080}},
        {test::PrimaryNotFirstLayout, {-2100, -50, -1500, 350}, {-1920, 0, -1320, 400}},
    };
    for (const Case& c : cases) {
        const test::TMyMonitorLayout layout = c.layout();
        SCOPED_TRACE(layout.sName);
        test::TMyScopedMonitorLayout scoped(layout);
        TempFolder dir;
        TMyIniFile ini(dir / u"a.ini");
        ini.WriteBoundsRect(u"Bounds", u"App_Skivra", c.rcSaved);
        EXPECT_EQ(ini.ReadBoundsRect(u"Bounds", u"App_Skivra", {}), c.rcSaved);
        EXPECT_EQ(ini.ReadMonitorBoundsRect(u"Bounds", u"App_Skivra", {}), c.rcExpected);
        ini.SetDebug(true);
    }
    // Missing keys are the defaults; without any monitor nothing moves.
    TempFolder dir;
    TMyIniFile ini(dir / u"a.ini");
    EXPECT_EQ(ini.ReadMonitorBoundsRect(u"Bounds", u"X", {5000, 5000, 5100, 5100}),
              (TMyRect{5000, 5000, 5100, 5100}));
}

// A settings file that is there but cannot be read must come through a save untouched:
// the save would replace the user's sections with this session's keys alone.
TEST(IniFile, AFileThatCannotBeReadIsNeverWrittenOver) {
    TempFolder dir;
    const std::string sMine = "[Mine]\r\nKey=1\r\n";
    // A link to a drive that is not mounted, and a link that cannot be followed.
    const std::string sDangling = dir.Path() + "/dangling.ini";
    ASSERT_EQ(symlink("/nonexistent-drive/skivra.ini", sDangling.c_str()), 0);
    const std::string sLoop = dir.Path() + "/loop.ini";
    ASSERT_EQ(symlink(sLoop.c_str(), sLoop.c_str()), 0);
    for (const std::string& sPath : {sDangling, sLoop}) {
        const std::u16string sFile = Utf8ToUtf16(sPath).value();
        {
            TMyIniFile ini(sFile);
            EXPECT_TRUE(ini.Unreadable()) << sPath;
            ini.WriteInteger(u"Play", u"Volume", 5);
            EXPECT_FALSE(ini.UpdateFile());
        }
        EXPECT_TRUE(std::filesystem::is_symlink(sPath)) << sPath;
    }

    // A file without read permission. Root reads anything, so a child process gives up
    // root for the read and the save.
    const std::u16string sFile = dir.Write(u"locked.ini", sMine);
    ASSERT_EQ(chmod(Utf16ToUtf8(sFile).c_str(), 0200), 0);
    ASSERT_EQ(chmod(dir.Path().c_str(), 0777), 0);
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) {
            _exit(2);
        }
        bool bUnreadable = false;
        {
            TMyIniFile ini(sFile);
            bUnreadable = ini.Unreadable();
            ini.WriteInteger(u"Play", u"Volume", 5);
        }
        _exit(bUnreadable ? 0 : 1);
    }
    int iStatus = 0;
    ASSERT_EQ(waitpid(pid, &iStatus, 0), pid);
    EXPECT_TRUE(WIFEXITED(iStatus) && WEXITSTATUS(iStatus) == 0) << iStatus;
    ASSERT_EQ(chmod(Utf16ToUtf8(sFile).c_str(), 0600), 0);
    EXPECT_EQ(ReadBytes(sFile), sMine);

    // A file that is merely missing is made, as before.
    {
        TMyIniFile ini(dir / u"new.ini");
        EXPECT_FALSE(ini.Unreadable());
        ini.WriteInteger(u"Play", u"Volume", 5);
    }
    EXPECT_TRUE(ReadBytes(dir / u"new.ini").starts_with("[Play]\r\nVolume=5\r\n"));
}

// A stray zero byte in a settings file without a mark neither changes its encoding nor
// ends it: every section survives a save, and nothing is added.
TEST(IniFile, AStrayZeroByteLosesNoSection) {
    TempFolder dir;
    for (const std::string& sMine : {"[Mine]\r\nName=" + std::string(kNihongoSJis) + "\r\n",
                                     std::string("[Mine]\r\nName=\xC3\xA9\r\n")}) {
        const std::u16string sFile =
            dir.Write(u"skivra.ini", std::string("[Play]\r\nVolume=30\r\n\0\r\n", 22) + sMine);
        {
            TMyIniFile ini(sFile);
            EXPECT_EQ(ini.ReadInteger(u"Play", u"Volume", 0), 30);
            EXPECT_EQ(SectionsOf(sFile), (std::vector<std::u16string>{u"Play", u"Mine"}));
            ini.WriteInteger(u"Play", u"Volume", 40);
        }
        const std::string sSaved = ReadBytes(sFile);
        EXPECT_NE(sSaved.find(sMine), std::string::npos) << sSaved;
        EXPECT_NE(sSaved.find("[Play]\r\nVolume=40\r\n"), std::string::npos) << sSaved;
        EXPECT_EQ(sSaved.find('\0'), std::string::npos);
    }
}

} // namespace
} // namespace skivra
