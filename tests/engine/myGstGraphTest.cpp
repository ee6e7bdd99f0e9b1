#include "engine/myGstGraph.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "engine/myGraphUnits.h"
#include "support/DesktopWindow.h"
#include "support/TempFolder.h"
#include "support/qtTestApp.h"
#include "support/screenPixels.h"

namespace skivra {
namespace {

using test::IsNear;
using test::Screenshot;
using test::VideoShare;
using test::WaitFor;

// The Qt application and the clips live for the whole test program: making the clips is
// the slowest part, and a QApplication cannot be made twice.
class PlaybackEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char sName[] = "test_engine_x11";
        static char* argv[] = {sName, nullptr};
        FApp = std::make_unique<QApplication>(argc, argv);
        FClips = std::make_unique<test::TempFolder>();
        const std::string sCommand =
            std::string(SKIVRA_TEST_TOOLS) + "/make-playback-clips '" + FClips->Path() + "'";
        ASSERT_EQ(std::system(sCommand.c_str()), 0) << sCommand;
    }
    void TearDown() override {
        FClips.reset();
        FApp.reset();
    }
    static std::u16string Clip(std::u16string_view sName) { return *FClips / sName; }

private:
    static inline std::unique_ptr<QApplication> FApp;
    static inline std::unique_ptr<test::TempFolder> FClips;
};
const auto* const environment = ::testing::AddGlobalTestEnvironment(new PlaybackEnvironment);

// Lets the event loop run for a while; used only where time itself is what is tested
// (a paused picture must not change), never to wait for something to happen.
void RunEventsFor(int iMs) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < iMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        usleep(5000);
    }
}

// The desktop window, shown and ready to be drawn into.
class DesktopWindow : public test::DesktopWindow {
public:
    DesktopWindow() {
        WaitFor([this] { return IsReady(); });
    }
};

// The graph with every event it delivered, in order.
class RecordingGraph : public TMyGstMediaGraph {
public:
    RecordingGraph() {
        SetNotify([this] {
            std::int32_t iCode = 0;
            while (GetEvent(iCode)) {
                FEvents.push_back(iCode);
            }
        });
    }
    int Count(std::int32_t iCode) const {
        return static_cast<int>(std::count(FEvents.begin(), FEvents.end(), iCode));
    }
    bool WaitForEvent(std::int32_t iCode, int iTimes = 1) {
        return WaitFor([&] { return Count(iCode) >= iTimes; });
    }
    std::vector<std::int32_t> FEvents;
};

double ChangedShare(const QImage& a, const QImage& b) {
    int iSamples = 0;
    int iChanged = 0;
    for (int y = 4; y < a.height(); y += 8) {
        for (int x = 4; x < a.width(); x += 8) {
            ++iSamples;
            iChanged += !IsNear(a.pixel(x, y), b.pixel(x, y), 16);
        }
    }
    return iSamples ? static_cast<double>(iChanged) / iSamples : 0.0;
}

TEST(GstGraph, PlayingVideoFillsTheDesktopWindowAndMoves) {
    DesktopWindow window;
    RecordingGraph graph;
    ASSERT_TRUE(graph.RenderFile(PlaybackEnvironment::Clip(u"moving-1080.mp4")))
        << graph.GetLastError().sDebug;
    ASSERT_TRUE(graph.HasConnectedInput());
    graph.PutOwner(window.Id());
    graph.SetWindowPosition(GetMonitorVideoRect(window.Rect()));
    ASSERT_TRUE(graph.Run());
    ASSERT_TRUE(WaitFor([&] { return graph.GetCurrentPosition() > 0.3; }));
    const QImage first = Screenshot();
    const double fFirst = graph.GetCurrentPosition();
    ASSERT_TRUE(WaitFor([&] { return graph.GetCurrentPosition() > fFirst + 1.0; }));
    const QImage second = Screenshot();
    EXPECT_GT(VideoShare(first), 0.6);
    EXPECT_GT(VideoShare(second), 0.6);
    // The bars scroll sideways: most of the picture differs a second later.
    EXPECT_GT(ChangedShare(first, second), 0.3);
    EXPECT_EQ(graph.GetState(), State_Running);
}

TEST(GstGraph, PausedPictureHoldsAndIsStretchedOverTheWindow) {
    DesktopWindow window;
    RecordingGraph graph;
    ASSERT_TRUE(graph.RenderFile(PlaybackEnvironment::Clip(u"bars-720.mp4")));
    graph.PutOwner(window.Id());
    graph.SetWindowPosition(GetMonitorVideoRect(window.Rect()));
    ASSERT_TRUE(graph.Run());
    ASSERT_TRUE(WaitFor([&] { return graph.GetCurrentPosition() > 0.5; }));
    const int iPausesBefore = graph.Count(EC_PAUSED);
    ASSERT_TRUE(graph.Pause());
    ASSERT_TRUE(graph.WaitForEvent(EC_PAUSED, iPausesBefore + 1));
    EXPECT_EQ(graph.GetState(), State_Paused);
    const double fPosition = graph.GetCurrentPosition();
    const QImage first = Screenshot();
    RunEventsFor(1000);
    const QImage second = Screenshot();
    EXPECT_EQ(ChangedShare(first, second), 0.0);
    EXPECT_DOUBLE_EQ(graph.GetCurrentPosition(), fPosition);
    // The seven colour bars of the test picture, each a seventh of the window's width:
    // the 16:9 picture was stretched over the whole 4:3 window, not letterboxed.
    const QRgb bars[] = {qRgb(255, 255, 255), qRgb(255, 255, 0), qRgb(0, 255, 255), qRgb(0, 255, 0),
                         qRgb(255, 0, 255),   qRgb(255, 0, 0),   qRgb(0, 0, 255)};
    for (int i = 0; i < 7; ++i) {
        const int x = (2 * i + 1) * first.width() / 14;
        for (const int y : {4, first.height() / 3, first.height() * 3 / 5}) {
            EXPECT_TRUE(IsNear(first.pixel(x, y), bars[i], 48))
                << "bar " << i << " at " << x << "," << y << ": " << std::hex << first.pixel(x, y);
        }
    }
}

TEST(GstGraph, FactsOfEachKindOfFile) {
    struct Case {
        const char16_t* sName;
        bool bVideo;
        std::int32_t iWidth, iHeight;
        const char16_t* sFrameRate; // nullptr: not checked (ASF stores no frame rate)
        double fDuration;
    };
    const Case cases[] = {
        {u"bars-720.mp4", true, 1280, 720, u"30", 2.0},
        {u"moving-1080.mp4", true, 1920, 1080, u"30", 3.0},
        {u"ntsc.mp4", true, 160, 120, u"29.97", 0.5},
        {u"video.wmv", true, 320, 240, nullptr, 1.0},
        {u"tone.mp3", false, 0, 0, u"-", 1.0},
        {u"tone.wma", false, 0, 0, u"-", 1.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QString::fromStdU16String(c.sName).toStdString());
        TMyGstMediaGraph graph;
        ASSERT_TRUE(graph.RenderFile(PlaybackEnvironment::Clip(c.sName)))
            << graph.GetLastError().sDebug;
        EXPECT_FALSE(graph.UsesAsfReader());
        EXPECT_EQ(graph.HasVideo(), c.bVideo);
        EXPECT_EQ(graph.HasConnectedInput(), c.bVideo);
        std::int32_t iWidth = 0;
        std::int32_t iHeight = 0;
        EXPECT_EQ(graph.GetVideoSize(iWidth, iHeight), c.bVideo);
        EXPECT_EQ(iWidth, c.iWidth);
        EXPECT_EQ(iHeight, c.iHeight);
        if (c.sFrameRate) {
            EXPECT_EQ(graph.GetFrameRateText(), c.sFrameRate);
        }
        EXPECT_NEAR(graph.GetDuration(), c.fDuration, 0.12);
        EXPECT_EQ(graph.GetState(), State_Stopped);
        // Xvfb offers no Xv adaptor.
        EXPECT_EQ(graph.GetVideoSinkName(), "ximagesink");
    }
}

TEST(GstGraph, EndOfFileArrivesOnceAndThePositionIsTheDuration) {
    RecordingGraph graph;
    ASSERT_TRUE(graph.RenderFile(PlaybackEnvironment::Clip(u"tiny.mp4")));
    ASSERT_TRUE(graph.Run());
    ASSERT_TRUE(graph.WaitForEvent(EC_COMPLETE));
    EXPECT_EQ(graph.GetCurrentPosition(), graph.GetDuration());
    // The clock event came while starting, before the end.
    ASSERT_EQ(graph.Count(EC_CLOCK_CHANGED), 1);
    const auto itClock = std::find(graph.FEvents.begin(), graph.FEvents.end(), EC_CLOCK_CHANGED);
    const auto itEnd = std::find(graph.FEvents.begin(), graph.FEvents.end(), EC_COMPLETE);
    EXPECT_LT(itClock, itEnd);
    // Pausing at the end completes a pause, and no second end arrives.
    const int iPausesBefore = graph.Count(EC_PAUSED);
    ASSERT_TRUE(graph.Pause());
    ASSERT_TRUE(graph.WaitForEvent(EC_PAUSED, iPausesBefore + 1));
    EXPECT_EQ(graph.Count(EC_COMPLETE), 1);
    EXPECT_EQ(graph.GetCurrentPosition(), graph.GetDuration());
    EXPECT_EQ(graph.Count(EC_ERRORABORT), 0);
}

TEST(GstGraph, SeeksLandNearTheTargetAndStayInTheFile) {
    RecordingGraph graph;
    ASSERT_TRUE(graph.RenderFile(PlaybackEnvironment::Clip(u"seek-10s.mp4")));
    const double fDuration = graph.GetDuration();
    ASSERT_NEAR(fDuration, 10.0, 0.2);
    for (const double fTarget : {6.5, 2.0, 9.0, 0.0}) {
        ASSERT_TRUE(graph.PutCurrentPosition(fTarget));
        ASSERT_TRUE(graph.StopWhenReady());
        EXPECT_NEAR(graph.GetCurrentPosition(), fTarget, 1.0) << fTarget;
    }
    // Outside the file: before the start is the start, past the end is the end.
    ASSERT_TRUE(graph.PutCurrentPosition(-17.5));
    ASSERT_TRUE(graph.StopWhenReady());
    EXPECT_NEAR(graph.GetCurrentPosition(), 0.0, 0.05);
    ASSERT_TRUE(graph.PutCurrentPosition(fDuration + 30.0));
    ASSERT_TRUE(graph.Run());
    ASSERT_TRUE(graph.WaitForEvent(EC_COMPLETE));
    EXPECT_EQ(graph.GetCurrentPosition(), fDuration);
    // Seeking back after the end plays again from there.
    ASSERT_TRUE(graph.PutCurrentPosition(8.0));
    ASSERT_TRUE(WaitFor([&] { return graph.GetCurrentPosition() > 8.2; }));
    EXPECT_LT(graph.GetCurrentPosition(), fDuration);
    ASSERT_TRUE(graph.WaitForEvent(EC_COMPLETE, 2));
}

TEST(GstGraph, ReplayStopsCuesAndStartsAgainFromTheBeginning) {
    RecordingGraph graph;
    ASSERT_TRUE(graph.RenderFile(PlaybackEnvironment::Clip(u"seek-10s.mp4")));
    ASSERT_TRUE(graph.Run());
    ASSERT_TRUE(WaitFor([&] { return graph.GetCurrentPosition() > 1.0; }));
    ASSERT_TRUE(graph.Stop());
    EXPECT_EQ(graph.GetState(), State_Stopped);
    ASSERT_TRUE(graph.StopWhenReady());
    ASSERT_TRUE(graph.PutCurrentPosition(0.0));
    ASSERT_TRUE(graph.StopWhenReady());
    EXPECT_LT(graph.GetCurrentPosition(), 0.5);
    ASSERT_TRUE(graph.Run());
    EXPECT_EQ(graph.GetState(), State_Running);
    ASSERT_TRUE(WaitFor([&] { return graph.GetCurrentPosition() > 0.3; }));
}

TEST(GstGraph, VolumeReachesTheAudioPathOnBothPaths) {
    for (const bool bAsfReader : {false, true}) {
        SCOPED_TRACE(bAsfReader ? "ASF reader" : "general path");
        TMyGstMediaGraph graph;
        graph.SetRefuseGeneralPath(bAsfReader);
        // Set before the file is open: it is applied once the audio path exists.
        ASSERT_TRUE(graph.PutVolume(-693));
        ASSERT_TRUE(graph.RenderFile(PlaybackEnvironment::Clip(u"tone.wma")))
            << graph.GetLastError().sDebug;
        ASSERT_EQ(graph.UsesAsfReader(), bAsfReader);
        EXPECT_NEAR(graph.GetAppliedVolume(), 0.450298, 1e-6);
        ASSERT_TRUE(graph.PutVolume(VOLUME_SILENT));
        EXPECT_EQ(graph.GetAppliedVolume(), 0.0);
        ASSERT_TRUE(graph.PutVolume(VOLUME_FULL));
        EXPECT_EQ(graph.GetAppliedVolume(), 1.0);
        EXPECT_FALSE(graph.PutVolume(1));
        EXPECT_FALSE(graph.PutVolume(-10001));
        EXPECT_EQ(graph.GetAppliedVolume(), 1.0);
        ASSERT_TRUE(graph.PutMute(true));
        EXPECT_TRUE(graph.IsMuteApplied());
        ASSERT_TRUE(graph.PutMute(false));
        EXPECT_FALSE(graph.IsMuteApplied());
    }
}

TEST(GstGraph, AsfReaderPlaysAudioWhenTheGeneralPathRefuses) {
    RecordingGraph graph;
    graph.SetRefuseGeneralPath(true);
    ASSERT_TRUE(graph.RenderFile(PlaybackEnvironment::Clip(u"tone.wma")))
        << graph.GetLastError().sDebug;
    EXPECT_TRUE(graph.UsesAsfReader());
    EXPECT_FALSE(graph.HasConnectedInput());
    EXPECT_NEAR(graph.GetDuration(), 1.0, 0.12);
    ASSERT_TRUE(graph.Run());
    ASSERT_TRUE(graph.WaitForEvent(EC_COMPLETE));
    EXPECT_EQ(graph.GetCurrentPosition(), graph.GetDuration());

    // Only the audio is read this way: a file without audio cannot play, and the reader is
    // only for ASF files.
    for (const char16_t* sName : {u"video.wmv", u"tiny.mp4"}) {
        TMyGstMediaGraph refused;
        refused.SetRefuseGeneralPath(true);
        EXPECT_FALSE(refused.RenderFile(PlaybackEnvironment::Clip(sName)));
        EXPECT_FALSE(refused.GetLastError().sMessage.empty());
    }
}

TEST(GstGraph, UnplayableFilesFailWithAReason) {
    for (const char16_t* sName : {u"truncated.mp4", u"noise.mp4", u"text.wmv", u"missing.mp4"}) {
        SCOPED_TRACE(QString::fromStdU16String(sName).toStdString());
        RecordingGraph graph;
        QElapsedTimer timer;
        timer.start();
        EXPECT_FALSE(graph.RenderFile(PlaybackEnvironment::Clip(sName)));
        EXPECT_LT(timer.elapsed(), (TMyGstMediaGraph::RENDER_TIMEOUT / GST_MSECOND) + 5000);
        EXPECT_FALSE(graph.GetLastError().sMessage.empty());
        EXPECT_FALSE(graph.GetLastError().sDebug.empty());
        // Nothing is left to control.
        EXPECT_FALSE(graph.Run());
        EXPECT_EQ(graph.GetDuration(), 0.0);
        std::int32_t iCode = 0;
        EXPECT_FALSE(graph.GetEvent(iCode));
    }
    TMyGstMediaGraph graph;
    EXPECT_FALSE(graph.RenderFile(u""));
    EXPECT_FALSE(graph.GetLastError().sMessage.empty());
}

TEST(GstGraph, WithoutAWindowTheVideoPlaysUnseen) {
    const QImage before = Screenshot();
    RecordingGraph graph;
    ASSERT_TRUE(graph.RenderFile(PlaybackEnvironment::Clip(u"bars-720.mp4")));
    EXPECT_TRUE(graph.HasConnectedInput());
    ASSERT_TRUE(graph.Run());
    ASSERT_TRUE(WaitFor([&] { return graph.GetCurrentPosition() > 0.5; }));
    // No window of the sink's own appeared anywhere.
    EXPECT_EQ(ChangedShare(before, Screenshot()), 0.0);
    // The window given later shows the video; taking it back hides it again.
    DesktopWindow window;
    graph.PutOwner(window.Id());
    graph.SetWindowPosition(GetMonitorVideoRect(window.Rect()));
    ASSERT_TRUE(WaitFor([&] { return VideoShare(Screenshot()) > 0.6; }));
    ASSERT_TRUE(graph.WaitForEvent(EC_COMPLETE));
}

TEST(GstGraph, AWindowThatVanishesWhilePlayingDoesNotTakeThePlayerDown) {
    // The window belongs to another process that may die at any moment.
    auto window = std::make_unique<DesktopWindow>();
    RecordingGraph graph;
    ASSERT_TRUE(graph.RenderFile(PlaybackEnvironment::Clip(u"moving-1080.mp4")));
    graph.PutOwner(window->Id());
    graph.SetWindowPosition(GetMonitorVideoRect(window->Rect()));
    ASSERT_TRUE(graph.Run());
    ASSERT_TRUE(WaitFor([&] { return graph.GetCurrentPosition() > 0.5; }));
    window.reset();
    // Playback goes on (or stops with an error the controller hears of), and the file
    // opened again shows in the window of a new sub-player.
    const double fGone = graph.GetCurrentPosition();
    ASSERT_TRUE(WaitFor([&] {
        return graph.GetCurrentPosition() > fGone + 1.0 || graph.Count(EC_ERRORABORT) > 0;
    }));
    DesktopWindow next;
    ASSERT_TRUE(graph.RenderFile(PlaybackEnvironment::Clip(u"bars-720.mp4")));
    graph.PutOwner(next.Id());
    graph.SetWindowPosition(GetMonitorVideoRect(next.Rect()));
    ASSERT_TRUE(graph.Run());
    EXPECT_TRUE(WaitFor([&] { return VideoShare(Screenshot()) > 0.6; }));
}

// Threads, file descriptors (each X connection is one) and shared memory segments (the
// sink's images) of this process.
struct ProcessResources {
    int iThreads = 0;
    int iFiles = 0;
    int iSharedSegments = 0;
};
int CountEntries(const char* sFolder) {
    int iCount = 0;
    if (DIR* pDir = opendir(sFolder)) {
        while (dirent* pEntry = readdir(pDir)) {
            iCount += pEntry->d_name[0] != '.';
        }
        closedir(pDir);
    }
    return iCount;
}
ProcessResources CountResources() {
    ProcessResources resources;
    resources.iThreads = CountEntries("/proc/self/task");
    resources.iFiles = CountEntries("/proc/self/fd");
    std::ifstream shm("/proc/sysvipc/shm");
    std::string sLine;
    std::getline(shm, sLine); // the header
    while (std::getline(shm, sLine)) {
        std::istringstream fields(sLine);
        long iKey, iId, iPerms, iSize, iCreator = 0;
        fields >> iKey >> iId >> iPerms >> iSize >> iCreator;
        resources.iSharedSegments += iCreator == getpid();
    }
    return resources;
}

TEST(GstGraph, TwoHundredOpensInARowLeaveNothingBehind) {
    DesktopWindow window;
    TMyGstMediaGraph graph;
    const auto OpenAndPlay = [&] {
        ASSERT_TRUE(graph.RenderFile(PlaybackEnvironment::Clip(u"tiny.mp4")));
        graph.PutOwner(window.Id());
        graph.SetWindowPosition(GetMonitorVideoRect(window.Rect()));
        ASSERT_TRUE(graph.Run());
        ASSERT_TRUE(graph.StopWhenReady());
    };
    // The first opens load plugins and start the threads that live for the process.
    for (int i = 0; i < 5; ++i) {
        OpenAndPlay();
    }
    graph.StopGraphAndDisconnect();
    const ProcessResources before = CountResources();
    for (int i = 0; i < 200; ++i) {
        OpenAndPlay();
    }
    graph.StopGraphAndDisconnect();
    QCoreApplication::processEvents();
    const ProcessResources after = CountResources();
    EXPECT_LE(after.iThreads, before.iThreads + 2);
    EXPECT_LE(after.iFiles, before.iFiles + 2);
    EXPECT_LE(after.iSharedSegments, before.iSharedSegments);
}

} // namespace
} // namespace skivra
