// The controller with the real playback graph and the real wallpaper takeover on an X
// server: a playlist of generated clips plays through as the desktop wallpaper, an audio
// file in between gives the user's wallpaper back, and the next video takes the desktop
// again. The screen is judged from screenshots, as a person would see it.
#include "app/myPlayerController.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <cmath>
#include <cstdlib>
#include <unistd.h>

#include "app/fakePlayer.h"
#include "engine/myGraphUnits.h"
#include "engine/myGstGraph.h"
#include "engine/myQtPictureCodec.h"
#include "engine/mySkivra.h"
#include "lists/myWStrings.h"
#include "platform/x11/myX11Monitors.h"
#include "platform/x11/myX11RootWallpaperStore.h"
#include "support/TempFolder.h"
#include "support/myEventHook.h"
#include "support/myMonitorSource.h"
#include "support/qtTestApp.h"
#include "support/screenPixels.h"

namespace skivra::test {
namespace {

// The sub-player's part, played by a desktop-type window of this process: Qt never paints
// it, so whatever shows in it was drawn by the video sink.
class DesktopVideoWindow : public QWidget {
public:
    DesktopVideoWindow() {
        setAttribute(Qt::WA_X11NetWmWindowTypeDesktop);
        setAttribute(Qt::WA_NativeWindow);
        setAttribute(Qt::WA_PaintOnScreen);
        setAttribute(Qt::WA_NoSystemBackground);
        setWindowFlags(Qt::FramelessWindowHint);
        winId();
    }
    QPaintEngine* paintEngine() const override { return nullptr; }
};

class ScreenDesktop : public TMyPlayerDesktop {
public:
    bool SubPlayerReady() override { return true; }
    std::uint64_t SubPlayerHwnd() override { return window.winId(); }
    TMyRect MainWindowMonitorBounds() override {
        const QRect rc = QGuiApplication::primaryScreen()->geometry();
        return {rc.left(), rc.top(), rc.right() + 1, rc.bottom() + 1};
    }
    void PlaceDesktopWindow(const TMyRect& rc) override {
        window.setGeometry(rc.Left, rc.Top, rc.Right - rc.Left, rc.Bottom - rc.Top);
        window.show();
        window.lower();
    }
    void HideDesktopWindow() override { window.hide(); }
    std::uint64_t VideoPanelHandle() override { return 0; }
    TMyRect VideoPanelClientRect() override { return {0, 0, 1, 1}; }
    std::uint32_t OverlayKeyColour() override { return GetOverlayKeyColour(); }
    bool ApplyVideoWallpaper(std::uint32_t clColor) override {
        return skivra::ApplyVideoWallpaper(QPoint(0, 0), clColor);
    }
    void ReleaseVideoWallpaper() override { skivra::ReleaseVideoWallpaper(); }

    DesktopVideoWindow window;
};

// The record's facts as the probe gives them: the file cued once, its duration rounded up
// to whole seconds and its video size.
class GstEngine : public TMyPlayerEngine {
public:
    TMyPlayerFileInfo ReadFileInfo(const std::u16string& sFileName) override {
        TMyGstMediaGraph probe;
        if (!probe.RenderFile(sFileName)) {
            return {};
        }
        TMyPlayerFileInfo info;
        info.iMediaLength = static_cast<std::int32_t>(std::ceil(probe.GetDuration()));
        probe.GetVideoSize(info.iVideoWidth, info.iVideoHeight);
        info.sFileSize = u"1KB";
        return info;
    }
    std::unique_ptr<TMyMediaGraph> NewFilterGraph() override {
        return std::make_unique<TMyGstMediaGraph>();
    }
};

// One application for the whole program: a QApplication cannot be made twice.
class ApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char sName[] = "test_app_player_x11";
        static char* argv[] = {sName, nullptr};
        FApp = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { FApp.reset(); }

private:
    std::unique_ptr<QApplication> FApp;
};
const auto* const environment = ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment);

class PlayerDesktopTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        FClips = new TempFolder();
        const std::string sCommand =
            std::string(SKIVRA_TEST_TOOLS) + "/make-playback-clips '" + FClips->Path() + "'";
        ASSERT_EQ(std::system(sCommand.c_str()), 0) << sCommand;
    }
    static void TearDownTestSuite() { delete FClips; }

    void SetUp() override {
        // The graph's events reach the controller from the event loop, as in the program.
        SetUiThreadRunner(
            [](std::function<void()> call) { QTimer::singleShot(0, qApp, std::move(call)); });
        const char* pszDisplay = std::getenv("DISPLAY");
        ASSERT_NE(pszDisplay, nullptr);
        const std::string sDisplay = pszDisplay;
        source = TMyX11MonitorSource::Open(sDisplay);
        ASSERT_TRUE(source);
        SetMonitorSource(source);
        TMyWallpaperEnvironment env;
        env.Store = std::make_shared<TMyX11RootWallpaperStore>(
            std::make_shared<TMyQtPictureCodec>(), folder / u"capture.bmp", sDisplay);
        env.Geometry = [] {
            return TMyDesktopGeometry::FromMyScreen();
        };
        env.BitmapFileName = folder / u"skivra.wallpaper.bmp";
        env.JournalFileName = folder / u"skivra.wallpaper.journal";
        SetWallpaperEnvironment(env);

        // The user's wallpaper: a picture of stripes, tiled over the root by a wallpaper
        // setter, as a user sets it.
        QImage picture(40, 30, QImage::Format_RGB32);
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                picture.setPixel(x, y, qRgb(200, (x * 6) & 0xFF, (y * 8) & 0xFF));
            }
        }
        const std::string sPicture = folder.Path() + "/user.png";
        ASSERT_TRUE(picture.save(QString::fromStdString(sPicture), "png"));
        ASSERT_EQ(std::system(("feh --no-fehbg --bg-tile '" + sPicture + "'").c_str()), 0);
        ASSERT_TRUE(WaitFor([&] {
            wallpaper = Screenshot();
            return wallpaper.pixel(1, 1) == picture.pixel(1, 1);
        }));
        controller.SetProductName(u"Skivra");
    }
    void TearDown() override {
        controller.StopMedia(true);
        skivra::ReleaseVideoWallpaper();
        SetWallpaperEnvironment({});
        SetMonitorSource(nullptr);
        SetUiThreadRunner({});
    }

    static std::u16string Clip(std::u16string_view sName) { return *FClips / sName; }

    // Runs the event loop and the display tick (every 30 ms while it is on) until the
    // condition holds.
    template <typename Condition> bool PlayUntil(Condition condition) {
        QElapsedTimer tick;
        tick.start();
        return WaitFor([&] {
            if (view.bTimer && tick.elapsed() >= 30) {
                tick.restart();
                controller.Timer_TimeTimer();
            }
            return condition();
        });
    }
    bool ShowsVideo() {
        return PlayUntil([&] { return VideoShare(Screenshot(), &wallpaper) > 0.5; });
    }
    bool ShowsTheUsersWallpaper() {
        return PlayUntil([&] { return Screenshot() == wallpaper; });
    }

    static inline TempFolder* FClips = nullptr;

    TempFolder folder;
    std::shared_ptr<TMyX11MonitorSource> source;
    QImage wallpaper;
    FakeLog log;
    FakeView view{log};
    ScreenDesktop desktop;
    GstEngine engine;
    TMyWStrings playlist;
    TMyPlayerController controller{playlist, engine, desktop, view};
};

TEST_F(PlayerDesktopTest, ThreeClipsPlayThroughAsTheWallpaperWithTheUsersBackBetweenAndAfter) {
    playlist.Add(Clip(u"bars-720.mp4"));
    playlist.Add(Clip(u"tone.mp3"));
    playlist.Add(Clip(u"seek-10s.mp4"));
    controller.SetItemIndex(0);
    controller.PlayMedia(playlist.Get(0));

    ASSERT_TRUE(controller.IsGraphLoaded()) << Utf16ToUtf8(view.sStatus);
    EXPECT_TRUE(IsVideoWallpaperApplied());
    EXPECT_TRUE(ShowsVideo());

    // The first clip ends by itself: the audio file gives the desktop back to the user.
    ASSERT_TRUE(PlayUntil([&] { return controller.ItemIndex() == 1; }));
    EXPECT_FALSE(IsVideoWallpaperApplied());
    EXPECT_TRUE(ShowsTheUsersWallpaper());

    // Then the last clip takes the desktop again.
    ASSERT_TRUE(PlayUntil([&] { return controller.ItemIndex() == 2; }));
    EXPECT_TRUE(IsVideoWallpaperApplied());
    EXPECT_TRUE(ShowsVideo());

    // Near its end it wraps around to the first clip, still on the desktop.
    controller.SeekTo(controller.Duration() - 0.5);
    ASSERT_TRUE(PlayUntil([&] { return controller.ItemIndex() == 0; }));
    EXPECT_TRUE(IsVideoWallpaperApplied());
    EXPECT_TRUE(ShowsVideo());
    EXPECT_EQ(playlist.Count(), 3);

    // Stop: the user's wallpaper is back, and no journal of the takeover is left.
    controller.Action_Play_StopExecute(TMyPlaySender::Action);
    EXPECT_FALSE(IsVideoWallpaperApplied());
    EXPECT_TRUE(ShowsTheUsersWallpaper());
    EXPECT_EQ(access(Utf16ToUtf8(folder / u"skivra.wallpaper.journal").c_str(), F_OK), -1);
}

TEST_F(PlayerDesktopTest, BrokenFilesAreDroppedAndTheDesktopNeverKeepsTheBareKeyColour) {
    playlist.Add(Clip(u"noise.mp4"));
    playlist.Add(Clip(u"text.wmv"));
    playlist.Add(Clip(u"truncated.mp4"));
    playlist.Add(Clip(u"tone.mp3"));
    controller.SetItemIndex(0);
    controller.PlayMedia(playlist.Get(0));
    // The two files that are no media are gone; the cut-off one may play what it has.
    ASSERT_TRUE(PlayUntil(
        [&] { return controller.IsGraphLoaded() && controller.FileName() == Clip(u"tone.mp3"); }));
    EXPECT_LE(playlist.Count(), 2);
    EXPECT_FALSE(IsVideoWallpaperApplied());
    EXPECT_TRUE(ShowsTheUsersWallpaper());
}

} // namespace
} // namespace skivra::test
