// The texts of the information grid and the seek bar's hints.
#include "app/myInfoTexts.h"

#include "media/myCustomTag.h"
#include "support/LocaleScope.h"
#include "support/myUnicode.h"

#include <gtest/gtest.h>

namespace skivra {
namespace {

TEST(InfoTextsTest, NamesCarryTheOriginalOnlyWhenThereIsOne) {
    EXPECT_EQ(InfoWithOriginal(u"歌手", u""), u"歌手");
    EXPECT_EQ(InfoWithOriginal(u"歌手", u"原曲"), u"歌手//原曲");
    EXPECT_EQ(InfoWithOriginal(u"", u"原曲"), u"//原曲");
}

TEST(InfoTextsTest, SummaryShowsSizeAndRateOnlyWhenKnown) {
    const test::LocaleScope locale("en_US");
    struct Case {
        std::int32_t iWidth, iHeight;
        double fRate, fDuration;
        std::int64_t iSize;
        const char* sWanted; // before " (write time)"
    };
    const Case cases[] = {
        {640, 360, 29.97, 3723.0, 1048576, "640x360 29.97fps 1:02:03秒 1.0MB"},
        {176, 144, 25.0, 1.0, 2048, "176x144 25.00fps 1秒 2KB"},
        {0, 0, 0.0, 180.0, 3000, "3:00秒 3KB"},        // audio
        {640, 0, 0.0, 65.0, 100, "1:05秒 100B"},       // half a size is no size
        {0, 0, 23.98, 5.0, 100, " 23.98fps 5秒 100B"}, // a rate without a size
        {320, 240, 0.0, 0.0, 0, "320x240 0秒 0B"},     // no length
    };
    for (const Case& c : cases) {
        TMyTagValue value;
        value.FileName = u"/media/a.mp4";
        value.VideoWidth = c.iWidth;
        value.VideoHeight = c.iHeight;
        value.VideoFrameRate = c.fRate;
        value.MediaDuration = c.fDuration;
        value.FileSize = c.iSize;
        value.FileWriteTimeInt = 133000000000000000; // 2022
        const TMyCustomTag tag(value);
        ASSERT_FALSE(tag.FileWriteTimeString().empty());
        EXPECT_EQ(Utf16ToUtf8(InfoSummaryText(tag)),
                  std::string(c.sWanted) + " (" + Utf16ToUtf8(tag.FileWriteTimeString()) + ")");
    }
}

TEST(InfoTextsTest, SeekHintsAreSecondsWithOneDecimal) {
    const std::pair<double, const char16_t*> cases[] = {
        {0, u"0.0秒"},           {5, u"0.5秒"},      {655, u"1:05.5秒"},
        {37230, u"1:02:03.0秒"}, {123.0, u"12.3秒"},
    };
    for (const auto& [fTenths, sWanted] : cases) {
        EXPECT_EQ(Utf16ToUtf8(SeekHintText(fTenths)), Utf16ToUtf8(sWanted)) << fTenths;
    }
}

} // namespace
} // namespace skivra
