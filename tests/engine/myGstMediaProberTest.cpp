// The GStreamer probe on media that gst-launch-1.0 makes at test time.
#include "engine/myGstMediaProber.h"
#include "engine/myGstParsedProbe.h"
#include "engine/myGstreamer.h"
#include "media/myTag.h"
#include "support/TempFolder.h"
#include "support/myUnicode.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <future>
#include <sys/stat.h>
#include <vector>

namespace skivra {
namespace {

class GstMediaProberTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        FFolder = std::make_unique<test::TempFolder>();
        const std::string sCommand =
            std::string(SKIVRA_TEST_TOOLS) + "/make-media.sh " + FFolder->Path();
        ASSERT_EQ(std::system(sCommand.c_str()), 0) << sCommand;
        InstallGstMediaProber();
    }
    static void TearDownTestSuite() {
        SetMediaProber(nullptr);
        FFolder.reset();
    }
    static std::u16string File(std::u16string_view sName) { return *FFolder / sName; }

    static inline std::unique_ptr<test::TempFolder> FFolder;
};

struct Expected {
    const char16_t* sName;
    double fDuration; // within 0.05 s
    std::int32_t iWidth;
    std::int32_t iHeight;
    double fFrameRate;
};

const Expected kMedia[] = {
    {u"h264_2997.mp4", 1.001, 320, 240, 29.97},
    {u"h264_25.mp4", 1.0, 176, 144, 25.0},
    {u"clip_10_2.mp4", 10.2, 64, 48, 25.0},
    {u"anamorphic.mp4", 0.4, 213, 120, 25.0}, // 160 stored pixels of 4:3 show as 213
    {u"clip.wmv", 1.0, 160, 120, 25.0},
    {u"tone.mp3", 2.09, 0, 0, 0.0},
    {u"tone.ogg", 2.0, 0, 0, 0.0},
    {u"truncated.mp4", 0.0, 0, 0, 0.0},
    {u"random.mp4", 0.0, 0, 0, 0.0},
    {u"empty.mp4", 0.0, 0, 0, 0.0},
    {u"missing.mp4", 0.0, 0, 0, 0.0},
};

void ExpectFacts(const TMyMediaFacts& facts, const Expected& e) {
    const std::string sName = Utf16ToUtf8(e.sName);
    EXPECT_NEAR(facts.fDuration, e.fDuration, 0.05) << sName;
    EXPECT_EQ(facts.iWidth, e.iWidth) << sName;
    EXPECT_EQ(facts.iHeight, e.iHeight) << sName;
    EXPECT_DOUBLE_EQ(facts.fFrameRate, e.fFrameRate) << sName;
}

TEST_F(GstMediaProberTest, DurationSizeAndRateOfEachFile) {
    for (const Expected& e : kMedia) {
        ExpectFacts(ProbeMediaFile(File(e.sName)), e);
    }
}

TEST_F(GstMediaProberTest, AFailedFileDoesNotSpoilTheNextProbe) {
    // Discoverers are used again from file to file: each failure (random bytes, an empty
    // file, a missing one, a truncated one) is followed by a file that must read in full.
    for (const std::size_t iBad : {8u, 9u, 10u, 7u}) {
        ExpectFacts(ProbeMediaFile(File(kMedia[iBad].sName)), kMedia[iBad]);
        ExpectFacts(ProbeMediaFile(File(kMedia[0].sName)), kMedia[0]);
    }
}

TEST_F(GstMediaProberTest, ProbedRecordRoundsTheLengthUp) {
    const TMyTag2 clip(File(u"clip_10_2.mp4"));
    EXPECT_EQ(clip.MediaLength(), 11);
    TMyTag copy;
    copy.Assign(clip);
    EXPECT_EQ(copy.MediaLength(), 10);
    EXPECT_EQ(TMyTag2(File(u"random.mp4")).MediaLength(), 0);
}

TEST_F(GstMediaProberTest, ProbesRunOnSeveralThreadsAtOnce) {
    std::vector<std::future<void>> probes;
    for (int i = 0; i < 3; ++i) {
        probes.push_back(std::async(std::launch::async, [] {
            for (const Expected& e : kMedia) {
                ExpectFacts(ProbeMediaFile(File(e.sName)), e);
            }
        }));
    }
    for (std::future<void>& probe : probes) {
        probe.get();
    }
}

TEST_F(GstMediaProberTest, ParsedStreamsAnswerWithoutADecoderWhenTheyTellAll) {
    // H.264 in MP4 tells all at its parser; MP3 knows no length before it has been read
    // further, and random bytes are no stream at all: those two go on to the decoder.
    ASSERT_TRUE(EnsureGStreamer());
    const struct {
        const char16_t* sName;
        TMyParsedProbe::TOutcome eOutcome;
    } kCases[] = {
        {u"h264_2997.mp4", TMyParsedProbe::TOutcome::Complete},
        {u"anamorphic.mp4", TMyParsedProbe::TOutcome::Complete},
        {u"tone.mp3", TMyParsedProbe::TOutcome::Partial},
        {u"random.mp4", TMyParsedProbe::TOutcome::Partial},
    };
    for (const auto& c : kCases) {
        const std::string sUri = "file://" + Utf16ToUtf8(File(c.sName));
        const TMyParsedProbe probe = ProbeParsedStreams(sUri.c_str(), std::chrono::seconds(5));
        EXPECT_EQ(probe.eOutcome, c.eOutcome) << sUri;
    }
    const std::string sUri = "file://" + Utf16ToUtf8(File(u"anamorphic.mp4"));
    const TMyParsedProbe anamorphic = ProbeParsedStreams(sUri.c_str(), std::chrono::seconds(5));
    EXPECT_EQ(anamorphic.result.iWidth, 213);
    EXPECT_EQ(anamorphic.result.iHeight, 120);
    EXPECT_NEAR(anamorphic.result.fDuration, 0.4, 0.05);
    EXPECT_DOUBLE_EQ(anamorphic.result.fFrameTime, 1.0 / 25);
}

TEST_F(GstMediaProberTest, NamedPipeIsNotWaitedOn) {
    const std::u16string sPipe = File(u"pipe.mp4");
    ASSERT_EQ(mkfifo(Utf16ToUtf8(sPipe).c_str(), 0600), 0);
    const TMyTag2 tag(sPipe);
    EXPECT_EQ(tag.MediaLength(), 0);
    EXPECT_EQ(tag.VideoWidth(), 0);
}

} // namespace
} // namespace skivra
