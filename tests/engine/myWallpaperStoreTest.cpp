#include "engine/myWallpaperStore.h"
#include "engine/myFileWallpaperStore.h"
#include "engine/myKeyValueText.h"
#include "engine/myWallpaperJournal.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <optional>

namespace skivra {
namespace {

class WallpaperStoreTest : public ::testing::Test {
protected:
    test::TempFolder folder;
    TMyFileWallpaperStore store{folder / u"desktop.txt"};
};

// The desktop's text values and the style they mean, and the values that style writes back.
TEST_F(WallpaperStoreTest, StyleFromValuesAndBack) {
    struct Case {
        std::optional<std::u16string> sTile;
        std::optional<std::u16string> sStyle;
        TMyWallpaperStyle expected;
        std::u16string_view sTileBack;
        std::u16string_view sStyleBack;
    };
    const Case cases[] = {
        {u"0", u"10", wsCenter, u"0", u"0"},        {u"0", u"0", wsCenter, u"0", u"0"},
        {u"0", u"6", wsCenter, u"0", u"0"},         {u"0", u"22", wsCenter, u"0", u"0"},
        {u"0", std::nullopt, wsCenter, u"0", u"0"}, {u"0", u"1", wsTiling, u"1", u"1"},
        {u"0", u"2", wsStretch, u"0", u"2"},        {std::nullopt, u"2", wsTiling, u"1", u"1"},
        {u"1", u"0", wsTiling, u"1", u"1"},         {u"", u"2", wsTiling, u"1", u"1"},
        {u"00", u"2", wsTiling, u"1", u"1"},        {u"0", u" 2", wsCenter, u"0", u"0"},
    };
    for (const Case& c : cases) {
        TMyFileWallpaperStore one(folder / u"one.txt");
        std::remove((folder.Path() + "/one.txt").c_str());
        if (c.sTile) {
            one.WriteValue(u"TileWallpaper", *c.sTile);
        }
        if (c.sStyle) {
            one.WriteValue(u"WallpaperStyle", *c.sStyle);
        }
        const TMyWallpaperStyle style = ReadWallpaperStyle(one);
        EXPECT_EQ(style, c.expected);
        ASSERT_TRUE(WriteWallpaperStyle(one, style));
        EXPECT_EQ(one.ReadValue(u"TileWallpaper"), c.sTileBack);
        EXPECT_EQ(one.ReadValue(u"WallpaperStyle"), c.sStyleBack);
    }
    // The styles without values of their own come back as tiling.
    for (const TMyWallpaperStyle style : {wsFullScreen, wsMonitorZoom, wsDesktopZoom}) {
        ASSERT_TRUE(WriteWallpaperStyle(store, style));
        EXPECT_EQ(store.ReadValue(u"TileWallpaper"), u"1");
        EXPECT_EQ(store.ReadValue(u"WallpaperStyle"), u"1");
    }
}

TEST_F(WallpaperStoreTest, ValuesThatCannotBeOpened) {
    store.WriteValue(u"TileWallpaper", u"0");
    store.WriteValue(u"WallpaperStyle", u"2");
    store.WriteValue(u"WallpaperOriginX", u"3");
    std::ofstream(folder.Path() + "/desktop.txt", std::ios::app) << "@Closed=1\n";
    EXPECT_FALSE(store.CanOpenValues());
    EXPECT_EQ(ReadWallpaperStyle(store), wsCenter);
    EXPECT_EQ(ReadWallpaperOrigin(store).X, 0);
    EXPECT_FALSE(WriteWallpaperStyle(store, wsStretch));
    EXPECT_EQ(store.ReadValue(u"TileWallpaper"), std::nullopt);
}

TEST(WallpaperValueToInt, DecimalWithin32Bits) {
    const std::pair<std::u16string_view, std::int32_t> cases[] = {
        {u"0", 0},
        {u"7", 7},
        {u"-500", -500},
        {u"+12", 12},
        {u"", 0},
        {u"-", 0},
        {u"12a", 0},
        {u" 5", 0},
        {u"2147483647", 2147483647},
        {u"2147483648", 0},
        {u"-2147483648", INT32_MIN},
        {u"-2147483649", 0},
        {u"99999999999999999999", 0},
        {u"０", 0},
    };
    for (const auto& [sText, iExpected] : cases) {
        EXPECT_EQ(WallpaperValueToInt(sText), iExpected) << std::string(sText.begin(), sText.end());
    }
}

TEST_F(WallpaperStoreTest, OriginMissingOrNotANumberIsZero) {
    store.WriteValue(u"WallpaperOriginX", u"1");
    store.WriteValue(u"WallpaperOriginY", u"x");
    EXPECT_EQ(ReadWallpaperOrigin(store).X, 1);
    EXPECT_EQ(ReadWallpaperOrigin(store).Y, 0);
}

TEST_F(WallpaperStoreTest, PictureAndColourPersistAcrossInstances) {
    EXPECT_EQ(store.GetDesktopWallpaper(), u"");
    const std::u16string sOdd = u"/pictures/a=b\\c\nd 壁紙.jpg";
    ASSERT_TRUE(store.SetDesktopWallpaper(sOdd));
    std::ofstream(folder.Path() + "/desktop.txt", std::ios::app) << "@DesktopColor=1193046\n";
    TMyFileWallpaperStore again(folder / u"desktop.txt");
    EXPECT_EQ(again.GetDesktopWallpaper(), sOdd);
    EXPECT_EQ(again.GetDesktopColor(), 0x123456u);
    EXPECT_EQ(again.SetCount(), 1);
    // Only layout values are values: the bookkeeping names cannot be written through them.
    EXPECT_FALSE(again.WriteValue(u"@Wallpaper", u"x"));
    EXPECT_EQ(again.ReadValue(u"@Wallpaper"), std::nullopt);
}

TEST(KeyValueText, RoundTripAndRejects) {
    const TMyKeyValues values = {
        {u"a", u""}, {u"b", u"x=y"}, {u"c", u"\\n\n\r\\"}, {u"日本", u"語"}};
    const std::optional<TMyKeyValues> back = ParseKeyValueText(FormatKeyValueText(values));
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, values);
    for (const std::string_view sBad : {"novalue\n", "a=\\q\n", "a=b\\\n", "a=\xff\n"}) {
        EXPECT_EQ(ParseKeyValueText(sBad), std::nullopt) << sBad;
    }
    EXPECT_EQ(ParseKeyValueText("\n\na=1\n")->size(), 1u);
}

class WallpaperJournalTest : public ::testing::Test {
protected:
    test::TempFolder folder;
    std::u16string sJournal = folder / u"skivra.wallpaper.journal";
};

TEST_F(WallpaperJournalTest, WriteReadRemove) {
    EXPECT_FALSE(WallpaperJournalExists(sJournal));
    EXPECT_EQ(ReadWallpaperJournal(sJournal), std::nullopt);
    const TMyWallpaperJournalRecord rec{u"file", u"/home/u/壁紙\n.jpg", wsStretch,
                                        u"picture-options='zoom'\n"};
    ASSERT_TRUE(WriteWallpaperJournal(sJournal, rec));
    const std::optional<TMyWallpaperJournalRecord> back = ReadWallpaperJournal(sJournal);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->StoreKind, u"file");
    EXPECT_EQ(back->WallPaperName, rec.WallPaperName);
    EXPECT_EQ(back->Style, wsStretch);
    EXPECT_EQ(back->ExtraLayout, rec.ExtraLayout);
    EXPECT_TRUE(RemoveWallpaperJournal(sJournal));
    EXPECT_FALSE(WallpaperJournalExists(sJournal));
    EXPECT_TRUE(RemoveWallpaperJournal(sJournal)); // nothing left is success
}

TEST_F(WallpaperJournalTest, DamagedJournalsAreNotBelieved) {
    const std::string_view damaged[] = {
        "",
        "Store=file\nWallpaper=\nStyle=1\n", // no mark
        "Journal=skivra-wallpaper-journal-1\nStore=file\nStyle=1\n",
        "Journal=skivra-wallpaper-journal-1\nStore=file\nWallpaper=\nStyle=9\n",
        "Journal=skivra-wallpaper-journal-1\nStore=file\nWallpaper=\nStyle=x\n",
        "Journal=skivra-wallpaper-journal-1\nStore=file\nWallpaper=\nStyle=\n",
        "Journal=skivra-wallpaper-journal-1\nStore=file\nWallpaper=\xc3\nStyle=1\n",
    };
    for (const std::string_view sText : damaged) {
        std::ofstream(folder.Path() + "/skivra.wallpaper.journal", std::ios::trunc) << sText;
        EXPECT_EQ(ReadWallpaperJournal(sJournal), std::nullopt) << sText;
    }
}

TEST_F(WallpaperJournalTest, FailedWriteLeavesTheOldJournal) {
    ASSERT_TRUE(WriteWallpaperJournal(sJournal, {u"file", u"/old.jpg", wsCenter, u""}));
    const std::u16string sMissingFolder = folder / u"gone/skivra.wallpaper.journal";
    EXPECT_FALSE(WriteWallpaperJournal(sMissingFolder, {u"file", u"/new.jpg", wsCenter, u""}));
    EXPECT_EQ(ReadWallpaperJournal(sJournal)->WallPaperName, u"/old.jpg");
}

} // namespace
} // namespace skivra
