// The media information record: its texts, rounding rules, copies and the reader choice.
#include "media/myMediaProbe.h"
#include "media/myTag.h"
#include "media/myTagFormat.h"
#include "media/myTagID3.h"
#include "support/LocaleScope.h"
#include "support/TempFolder.h"
#include "support/myPath.h"
#include "support/myUnicode.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <ctime>

namespace skivra {
namespace {

using test::LocaleScope;
using test::TempFolder;

// A stand-in for the media framework that answers the same for every file.
class FixedProber : public TMyMediaProber {
public:
    explicit FixedProber(TResult result) : FResult(result) {}
    TResult Probe(std::u16string_view) override { return FResult; }

private:
    TResult FResult;
};

class ProberScope {
public:
    explicit ProberScope(TMyMediaProber::TResult result) {
        SetMediaProber(std::make_shared<FixedProber>(result));
    }
    ~ProberScope() { SetMediaProber(nullptr); }
};

std::int64_t FileTimeOf(int iYear, int iMonth, int iDay, int iHour, int iMinute, int iSecond) {
    std::tm fields{};
    fields.tm_year = iYear - 1900;
    fields.tm_mon = iMonth - 1;
    fields.tm_mday = iDay;
    fields.tm_hour = iHour;
    fields.tm_min = iMinute;
    fields.tm_sec = iSecond;
    return (static_cast<std::int64_t>(timegm(&fields)) + 11644473600) * 10000000 + 1234567;
}

TEST(TagFormatTest, FileSizeTexts) {
    const LocaleScope locale("en_US");
    const std::pair<std::int64_t, const char16_t*> cases[] = {
        {0, u"0B"},
        {1023, u"1023B"},
        {1024, u"1KB"},
        {1025, u"2KB"},
        {1048575, u"1024KB"},
        {1048576, u"1.0MB"},
        {1153433, u"1.1MB"}, // 1126.4 KB, rounded up to 1127 KB: 1.10 MB
        {1153024, u"1.0MB"}, // 1126 KB: 1.099 MB is cut, not rounded
        {1073741823, u"1024.0MB"},
        {1073741824, u"1.00GB"},
        {1083405600, u"1.00GB"}, // 1.009 GB is cut
        {5368709120, u"5.00GB"},
    };
    for (const auto& [iSize, sWanted] : cases) {
        EXPECT_EQ(FormatFileSize(iSize), sWanted) << iSize;
    }
    const LocaleScope german("de_DE");
    EXPECT_EQ(FormatFileSize(1048576), u"1,0MB");
}

TEST(TagFormatTest, FixedDecimalTextsRoundAndUseTheLocalesSeparator) {
    const LocaleScope locale("en_US");
    const struct {
        double fValue;
        int iDigits;
        const char16_t* sWanted;
    } cases[] = {
        {29.97, 2, u"29.97"}, {25, 2, u"25.00"},   {23.976, 2, u"23.98"},
        {0.126, 1, u"0.1"},   {59.94, 0, u"60"},   {7.5, 12, u"7.500000000"},
        {-1.5, 2, u"-1.50"},  {1e300, 2, nullptr}, {std::nan(""), 2, u"0"},
        {INFINITY, 2, u"0"},
    };
    for (const auto& c : cases) {
        const std::u16string sText = FormatFixedDecimals(c.fValue, c.iDigits);
        if (c.sWanted) {
            EXPECT_EQ(Utf16ToUtf8(sText), Utf16ToUtf8(c.sWanted)) << c.fValue;
        } else {
            EXPECT_EQ(sText.size(), 304u) << c.fValue; // 301 digits, the point and two more
        }
    }
    const LocaleScope german("de_DE");
    EXPECT_EQ(FormatFixedDecimals(29.97, 2), u"29,97");
}

TEST(TagFormatTest, FileTimeTextsAreLocalAtTwoSeconds) {
    const char* sSavedTz = std::getenv("TZ");
    const std::string sTz = sSavedTz ? sSavedTz : "";
    setenv("TZ", "UTC", 1);
    tzset();
    const LocaleScope locale("ja_JP");
    EXPECT_EQ(Utf16ToUtf8(FormatFileTime(FileTimeOf(1980, 1, 2, 3, 4, 7))), "1980/01/02 3:04:06");
    EXPECT_EQ(Utf16ToUtf8(FormatFileTime(FileTimeOf(2107, 12, 31, 23, 59, 59))),
              "2107/12/31 23:59:58");
    EXPECT_EQ(FormatFileTime(FileTimeOf(1979, 12, 31, 23, 59, 59)), u"");
    EXPECT_EQ(FormatFileTime(FileTimeOf(2108, 1, 1, 0, 0, 0)), u"");
    EXPECT_EQ(FormatFileTime(0), u"");
    setenv("TZ", "Asia/Tokyo", 1);
    tzset();
    EXPECT_EQ(Utf16ToUtf8(FormatFileTime(FileTimeOf(1999, 12, 31, 20, 0, 0))),
              "2000/01/01 5:00:00");
    if (sSavedTz) {
        setenv("TZ", sTz.c_str(), 1);
    } else {
        unsetenv("TZ");
    }
    tzset();
}

TEST(TagFormatTest, MediaLengthRounding) {
    const std::tuple<double, std::int32_t, std::int32_t> cases[] = {
        // duration, half away from zero, rounded up
        {10.2, 10, 11},
        {10.5, 11, 11},
        {10.0, 10, 10},
        {0.0, 0, 0},
        {-2.5, -3, -2},
        {0.0001, 0, 1},
        {1e12, 2147483647, 2147483647},
    };
    for (const auto& [fDuration, iRounded, iUp] : cases) {
        EXPECT_EQ(MediaLengthRounded(fDuration), iRounded) << fDuration;
        EXPECT_EQ(MediaLengthRoundedUp(fDuration), iUp) << fDuration;
    }
}

TEST(MediaProbeTest, FrameRateFromTheFrameTime) {
    TempFolder folder;
    const std::u16string sFile = folder.Write(u"clip.mp4");
    const std::pair<double, double> cases[] = {
        {0.0417, 23.98}, {1001.0 / 30000, 29.97}, {0.04, 25.0}, {0.0, 0.0}, {-1.0, 0.0}};
    for (const auto& [fFrameTime, fRate] : cases) {
        const ProberScope prober({5.0, fFrameTime, 640, 360});
        const TMyMediaFacts facts = ProbeMediaFile(sFile);
        EXPECT_DOUBLE_EQ(facts.fFrameRate, fRate) << fFrameTime;
        EXPECT_EQ(facts.iWidth, 640);
        EXPECT_EQ(facts.fDuration, 5.0);
    }
    // A missing file is not handed to the framework at all.
    const ProberScope prober({5.0, 0.04, 640, 360});
    const TMyMediaFacts missing = ProbeMediaFile(folder / u"gone.mp4");
    EXPECT_EQ(missing.fDuration, 0.0);
    EXPECT_EQ(missing.iWidth, 0);
    EXPECT_EQ(missing.fFrameRate, 0.0);
}

TEST(CustomTagTest, ProbeRoundsUpAndCopiesRoundHalfAway) {
    TempFolder folder;
    const ProberScope prober({10.2, 0.04, 1280, 720});
    const TMyTag2 probed(folder.Write(u"clip.mp4"));
    EXPECT_EQ(probed.MediaLength(), 11);
    EXPECT_DOUBLE_EQ(probed.MediaDuration(), 10.2);
    EXPECT_EQ(probed.VideoWidth(), 1280);
    EXPECT_EQ(probed.VideoHeight(), 720);
    EXPECT_DOUBLE_EQ(probed.VideoFrameRate(), 25.0);

    TMyTag copy;
    copy.Assign(probed);
    EXPECT_EQ(copy.MediaLength(), 10);
    const TMyTag fromValue(probed.GetTagValue());
    EXPECT_EQ(fromValue.MediaLength(), 10);
    EXPECT_EQ(probed.GetTagValue().MediaLength, 11);
}

TEST(CustomTagTest, TitleFallsBackToTheBaseName) {
    TempFolder folder;
    const std::u16string sFile = folder.Write(u"song.live.mp3", std::string(200, '\x55'));
    const TMyTagID3 reader(sFile);
    EXPECT_EQ(reader.RawTitle(), u"");
    EXPECT_EQ(reader.GetTitle(), u"song.live");
    const TMyTag tag(sFile);
    EXPECT_EQ(tag.RawTitle(), u"song.live");
    const TMyTag other(folder.Write(u"movie.avi"));
    EXPECT_EQ(other.RawTitle(), u"movie");
}

TEST(CustomTagTest, ReaderChosenByExtensionInAnyCase) {
    TempFolder folder;
    // An ASF header with a one-object Content Description whose title is "T".
    const std::string sGuid("\x30\x26\xB2\x75\x8E\x66\xCF\x11\xA6\xD9\x00\xAA\x00\x62\xCE\x6C", 16);
    std::string sContent("\x33\x26\xB2\x75\x8E\x66\xCF\x11\xA6\xD9\x00\xAA\x00\x62\xCE\x6C", 16);
    sContent += std::string("\x26\0\0\0\0\0\0\0"
                            "\x04\0\0\0\0\0\0\0\0\0"
                            "T\0\0\0",
                            22);
    const std::string sAsf = sGuid +
                             std::string("\x44\0\0\0\0\0\0\0"
                                         "\x01\0\0\0"
                                         "\x01\x02",
                                         14) +
                             sContent;
    const std::string sId3 = std::string("ID3\x03\0\0\0\0\0\x0C"
                                         "TIT2\0\0\0\x02\0\0\0Z",
                                         22);
    const std::pair<const char16_t*, std::string> cases[] = {
        {u"CLIP.WMV", sAsf}, {u"a.Wma", sAsf}, {u"b.MP3", sId3}};
    for (const auto& [sName, sBytes] : cases) {
        const TMyTag tag(folder.Write(sName, sBytes));
        EXPECT_FALSE(tag.RawTitle().empty()) << Utf16ToUtf8(sName);
        EXPECT_NE(tag.RawTitle(), GetBaseNamePart(std::u16string(sName))) << Utf16ToUtf8(sName);
    }
    // An MP3 name on ASF bytes reads no tag.
    EXPECT_EQ(TMyTag(folder.Write(u"asf.mp3", sAsf)).RawTitle(), u"asf");
}

TEST(CustomTagTest, FileFactsAndExistence) {
    TempFolder folder;
    const std::u16string sFile = folder.Write(u"sub/a*b.mp3", std::string(1500, 'x'));
    const TMyTag tag(sFile);
    EXPECT_EQ(tag.FileName(), sFile);
    EXPECT_EQ(tag.MediaDir(), folder / u"sub");
    EXPECT_EQ(tag.MediaPath(), folder / u"sub/");
    EXPECT_EQ(tag.MediaName(), u"a*b.mp3");
    EXPECT_EQ(tag.MediaMain(), u"a*b");
    EXPECT_EQ(tag.MediaExt(), u".mp3");
    EXPECT_EQ(tag.FileSize(), 1500);
    EXPECT_EQ(tag.FileSizeString(), u"2KB");
    EXPECT_TRUE(tag.FileExists());
    EXPECT_TRUE(tag.FolderExists());
    EXPECT_GT(tag.FileWriteTimeInt(), 0);
    EXPECT_GT(tag.FileCreateTimeInt(), 0);

    const TMyTag missing(folder / u"sub/none.mp3");
    EXPECT_FALSE(missing.FileExists());
    EXPECT_TRUE(missing.FolderExists());
    EXPECT_EQ(missing.FileSize(), 0);
    EXPECT_EQ(missing.FileWriteTimeInt(), 0);
    EXPECT_EQ(missing.RawTitle(), u"none");

    const TMyTag folderItself(folder / u"sub");
    EXPECT_FALSE(folderItself.FileExists());
    const TMyTag empty(u"");
    EXPECT_FALSE(empty.FileExists());
    EXPECT_FALSE(empty.FolderExists());
}

TEST(CustomTagTest, ValueRoundTripAndAssign) {
    TempFolder folder;
    TMyTagValue value;
    value.FileName = folder.Write(u"x.ogg");
    value.FileSize = 12345;
    value.FileWriteTimeInt = 130000000000000000;
    value.FileCreateTimeInt = 120000000000000000;
    value.MediaLength = 99; // not used: the length comes from the duration
    value.MediaDuration = 3.5;
    value.VideoWidth = 320;
    value.VideoHeight = 240;
    value.VideoFrameRate = 29.97;
    std::u16string TMyTagValue::*texts[] = {
        &TMyTagValue::Album,          &TMyTagValue::AlbumArtist,   &TMyTagValue::Artist,
        &TMyTagValue::Composer,       &TMyTagValue::Conductor,     &TMyTagValue::Director,
        &TMyTagValue::Genre,          &TMyTagValue::OriginalAlbum, &TMyTagValue::OriginalArtist,
        &TMyTagValue::OriginalWriter, &TMyTagValue::Publisher,     &TMyTagValue::Producer,
        &TMyTagValue::RecordingDate,  &TMyTagValue::ReleaseYear,   &TMyTagValue::Series,
        &TMyTagValue::SetOf,          &TMyTagValue::SubTitle,      &TMyTagValue::Title,
        &TMyTagValue::Track,          &TMyTagValue::Translator,    &TMyTagValue::Writer,
        &TMyTagValue::Year,           &TMyTagValue::UserText,      &TMyTagValue::UserLink,
        &TMyTagValue::Lylic,          &TMyTagValue::Comment};
    char16_t c = u'A';
    for (auto pText : texts) {
        value.*pText = std::u16string(u"text ") + c++;
    }
    const TMyTag tag(value);
    EXPECT_EQ(tag.MediaLength(), 4);
    EXPECT_TRUE(tag.FileExists());
    EXPECT_TRUE(tag.FolderExists());
    EXPECT_EQ(tag.MediaName(), u"x.ogg");
    TMyTagValue wanted = value;
    wanted.MediaLength = 4;
    EXPECT_EQ(tag.GetTagValue(), wanted);

    TMyTag2 assigned;
    assigned.SetTag(5);
    assigned.Assign(value);
    EXPECT_EQ(assigned.GetTagValue(), wanted);
    EXPECT_EQ(assigned.Tag(), 5);

    // Without a stored title the value carries the base name.
    value.Title.clear();
    EXPECT_EQ(TMyTag(value).GetTagValue().Title, u"x");

    TMyTag cleared(value);
    cleared.Clear();
    EXPECT_EQ(cleared.Artist(), u"");
    EXPECT_EQ(cleared.VideoWidth(), 0);
    EXPECT_EQ(cleared.VideoFrameRate(), 0.0);
    EXPECT_EQ(cleared.MediaDuration(), 3.5);
}

} // namespace
} // namespace skivra
