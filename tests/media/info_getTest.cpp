// The background fetcher: what it reads, what it reports, and in which order, with a queue
// standing in for the UI event loop. Built under ThreadSanitizer as well (scripts/test).
#include "media/info_get.h"
#include "media/myMediaProbe.h"
#include "support/TempFolder.h"
#include "support/UiQueue.h"
#include "support/myEventHook.h"
#include "support/myFile.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <vector>

namespace skivra {
namespace {

using namespace std::chrono_literals;
using test::TempFolder;
using test::UiQueue;

// Counts the probes and answers 7.5 seconds of 640x480 at 25 fps; can hold probes back.
class CountingProber : public TMyMediaProber {
public:
    TResult Probe(std::u16string_view) override {
        std::unique_lock<std::mutex> lock(FLock);
        ++FiProbes;
        FBegun.notify_all();
        FReleased.wait(lock, [this] { return !FbHold; });
        return {7.5, 0.04, 640, 480};
    }
    // Waits until n probes have begun; false when 30 s pass first.
    bool WaitForProbes(int n) {
        std::unique_lock<std::mutex> lock(FLock);
        return FBegun.wait_for(lock, 30s, [this, n] { return FiProbes >= n; });
    }
    int Probes() {
        const std::lock_guard<std::mutex> lock(FLock);
        return FiProbes;
    }
    void Hold(bool bHold) {
        {
            const std::lock_guard<std::mutex> lock(FLock);
            FbHold = bHold;
        }
        FReleased.notify_all();
    }

private:
    std::mutex FLock;
    std::condition_variable FReleased;
    std::condition_variable FBegun;
    int FiProbes = 0;
    bool FbHold = false;
};

struct Report {
    int iIndex;
    bool bSecond;
    bool bHasTag;
    std::u16string sTitle;
    bool bFileExists;
    double fDuration;
};

// The main window's side: records every report in the order it came.
class RecordingSink : public TMyInfoGetSink {
public:
    void SetInfo(T_MyInfoGet& Sender, int iIndex, const TMyTag* ATag) override {
        Add(Sender, iIndex, false, ATag);
        if (FiTerminateOnFirst == iIndex) {
            Sender.Terminate();
        }
    }
    void SetInfo2(T_MyInfoGet& Sender, int iIndex, const TMyTag* ATag) override {
        Add(Sender, iIndex, true, ATag);
    }
    int Count(bool bSecond) const {
        int i = 0;
        for (const Report& r : FReports) {
            i += r.bSecond == bSecond;
        }
        return i;
    }
    std::vector<Report> FReports;
    int FiTerminateOnFirst = -1;

private:
    void Add(T_MyInfoGet& Sender, int iIndex, bool bSecond, const TMyTag* ATag) {
        EXPECT_EQ(Sender.Index(), iIndex);
        FReports.push_back({iIndex, bSecond, ATag != nullptr, ATag ? ATag->RawTitle() : u"",
                            ATag && ATag->FileExists(), ATag ? ATag->MediaDuration() : -1});
    }
};

class InfoGetTest : public ::testing::Test {
protected:
    InfoGetTest() { SetMediaProber(FProber); }
    ~InfoGetTest() override {
        FProber->Hold(false);
        T_MyInfoGet::WaitForAll();
        SetMediaProber(nullptr);
        SetTerminating(false);
    }
    // A record as the playlist holds it after an earlier read of the file.
    TMyTagValue StoredValue(const std::u16string& sFile, double fDuration) {
        TMyTagValue value;
        value.FileName = sFile;
        value.FileWriteTimeInt = static_cast<std::int64_t>(GetFileWriteTime64(sFile));
        value.Title = u"Stored";
        value.MediaDuration = fDuration;
        return value;
    }

    TempFolder FFolder;
    std::shared_ptr<CountingProber> FProber = std::make_shared<CountingProber>();
    UiQueue FUi;
    RecordingSink FSink;
};

TEST_F(InfoGetTest, CompleteRecordIsNotReadAgain) {
    const std::u16string sFile = FFolder.Write(u"a.ogg");
    const TMyTag stored(StoredValue(sFile, 3.0));
    T_MyInfoGet::Start(FSink, 4, sFile, &stored);
    ASSERT_TRUE(FUi.RunUntil([&] { return FSink.FReports.size() == 2; }));
    EXPECT_FALSE(FSink.FReports[0].bSecond);
    EXPECT_TRUE(FSink.FReports[1].bSecond);
    EXPECT_FALSE(FSink.FReports[0].bHasTag);
    EXPECT_FALSE(FSink.FReports[1].bHasTag);
    EXPECT_EQ(FSink.FReports[1].iIndex, 4);
    EXPECT_EQ(FProber->Probes(), 0);
}

TEST_F(InfoGetTest, RecordWithoutDurationIsOnlyProbed) {
    const std::u16string sFile = FFolder.Write(u"a.ogg");
    const TMyTag stored(StoredValue(sFile, 0.0));
    T_MyInfoGet::Start(FSink, 1, sFile, &stored);
    ASSERT_TRUE(FUi.RunUntil([&] { return FSink.FReports.size() == 2; }));
    // A fresh read would give the base name "a" as the title.
    EXPECT_EQ(FSink.FReports[0].sTitle, u"Stored");
    EXPECT_EQ(FSink.FReports[0].fDuration, 0.0);
    EXPECT_EQ(FSink.FReports[1].sTitle, u"Stored");
    EXPECT_EQ(FSink.FReports[1].fDuration, 7.5);
    EXPECT_EQ(FProber->Probes(), 1);
}

TEST_F(InfoGetTest, ChangedOrMissingFilesAreReadAgain) {
    const std::u16string sFile = FFolder.Write(u"song.ogg");
    TMyTagValue old = StoredValue(sFile, 3.0);
    old.FileWriteTimeInt -= 10000000; // the file changed a second after the record was made
    const TMyTag stored(old);
    T_MyInfoGet::Start(FSink, 0, sFile, &stored);
    ASSERT_TRUE(FUi.RunUntil([&] { return FSink.FReports.size() == 2; }));
    EXPECT_EQ(FSink.FReports[0].sTitle, u"song");
    EXPECT_EQ(FSink.FReports[1].fDuration, 7.5);

    FSink.FReports.clear();
    T_MyInfoGet::Start(FSink, 2, FFolder / u"gone.ogg", nullptr);
    ASSERT_TRUE(FUi.RunUntil([&] { return FSink.FReports.size() == 2; }));
    EXPECT_TRUE(FSink.FReports[0].bHasTag);
    EXPECT_FALSE(FSink.FReports[0].bFileExists);
    EXPECT_EQ(FSink.FReports[0].sTitle, u"gone");
    EXPECT_EQ(FSink.FReports[1].fDuration, 0.0); // a missing file is never probed
    EXPECT_EQ(FProber->Probes(), 1);
}

TEST_F(InfoGetTest, QuickSuccessiveRequestsReportInOrderEach) {
    constexpr int kRequests = 24;
    std::vector<std::u16string> files;
    for (int i = 0; i < kRequests; ++i) {
        files.push_back(FFolder.Write(u"f" + std::u16string(1, char16_t(u'a' + i)) + u".ogg"));
    }
    FSink.FiTerminateOnFirst = 5; // the user moved on: this one stops at its first report
    for (int i = 0; i < kRequests; ++i) {
        T_MyInfoGet::Start(FSink, i, files[static_cast<std::size_t>(i)], nullptr);
    }
    ASSERT_TRUE(FUi.RunUntil(
        [&] { return FSink.Count(false) == kRequests && FSink.Count(true) == kRequests - 1; }));
    T_MyInfoGet::WaitForAll();
    FUi.Drain();
    std::map<int, int> seen;
    for (const Report& r : FSink.FReports) {
        EXPECT_EQ(seen[r.iIndex]++, r.bSecond ? 1 : 0) << "index " << r.iIndex;
    }
    EXPECT_EQ(seen[5], 1);
    EXPECT_EQ(FSink.Count(true), kRequests - 1);
}

TEST_F(InfoGetTest, NothingIsReportedOnceTheApplicationTerminates) {
    FProber->Hold(true);
    for (int i = 0; i < 6; ++i) {
        T_MyInfoGet::Start(FSink, i,
                           FFolder.Write(u"x" + std::u16string(1, char16_t(u'0' + i)) + u".ogg"),
                           nullptr);
    }
    // Every fetcher is inside its probe, its first report queued but not yet run.
    ASSERT_TRUE(FProber->WaitForProbes(6));
    SetTerminating(true);
    FProber->Hold(false);
    T_MyInfoGet::WaitForAll();
    FUi.Drain();
    EXPECT_LE(FSink.Count(false), 6);
    EXPECT_EQ(FSink.Count(true), 0);
}

} // namespace
} // namespace skivra
