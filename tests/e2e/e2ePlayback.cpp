#include "e2e/e2ePlayback.h"

namespace skivra::e2e {

void TPlaybackTest::SplitIntoTwoMonitors() {
    const TBox root = desktop.Root();
    const std::string sHalf =
        std::to_string(root.Width / 2) + "/200x" + std::to_string(root.Height) + "/150";
    ASSERT_TRUE(Tool({"xrandr", "--setmonitor", "left", sHalf + "+0+0", "screen"}));
    ASSERT_TRUE(Tool({"xrandr", "--setmonitor", "right",
                      sHalf + "+" + std::to_string(root.Width / 2) + "+0", "none"}));
    ASSERT_TRUE(WaitFor([&] { return desktop.Monitors().size() == 2; }, 10s));
}

void TPlaybackTest::PrepareDesktop() {
    clips = MakeClips();
    ASSERT_FALSE(HasFailure());
    SetUserWallpaper();
}

void TPlaybackTest::SeedStart(const std::string& sExtraSettings) {
    SeedPlaylist(clips);
    const TBox first = desktop.Monitors().front();
    const std::string sBounds = "[Bounds]\r\nApp_Skivra_Left=" + std::to_string(first.X + 40) +
                                "\r\nApp_Skivra_Top=" + std::to_string(first.Y + 40) +
                                "\r\nApp_Skivra_Right=" + std::to_string(first.X + 440) +
                                "\r\nApp_Skivra_Bottom=" + std::to_string(first.Y + 400) +
                                "\r\n\r\n";
    SeedSettings(sBounds + sExtraSettings);
}

TChild TPlaybackTest::StartPlayingTheSeededList() {
    SeedStart();
    TChild player = StartPlayer();
    if (!HasFailure()) {
        ExpectClipOnWindowsMonitor(player.Pid(), 'r');
    }
    return player;
}

TBox TPlaybackTest::MonitorOf(const TWindowFacts& window) const {
    const std::vector<TBox> monitors = desktop.Monitors();
    for (const TBox& monitor : monitors) {
        if (monitor.Contains(window.Frame.X, window.Frame.Y)) {
            return monitor;
        }
    }
    return monitors.front();
}

TBox TPlaybackTest::OtherMonitor(const TWindowFacts& window) const {
    const TBox own = MonitorOf(window);
    for (const TBox& monitor : desktop.Monitors()) {
        if (!(monitor == own)) {
            return monitor;
        }
    }
    return {};
}

std::vector<TBox> TPlaybackTest::MainWindowMask(pid_t player) const {
    const std::optional<TWindowFacts> window = MainWindow(player);
    return window ? std::vector<TBox>{window->Frame} : std::vector<TBox>{};
}

TShot TPlaybackTest::WaitForClip(pid_t player, char cColour, std::chrono::milliseconds bound) {
    TShot shown;
    char cLast = '?';
    double fLastShare = 0;
    const bool bShown = WaitFor(
        [&] {
            const std::optional<TWindowFacts> window = MainWindow(player);
            if (!window) {
                return false;
            }
            const TBox monitor = MonitorOf(*window);
            shown = desktop.Shot();
            fLastShare = VideoShare(shown, Wallpaper(), monitor, {window->Frame}, kKeyColourRgb);
            cLast = DominantColour(shown, monitor, {window->Frame});
            return fLastShare > 0.8 && cLast == cColour;
        },
        bound);
    Shot(std::string("clip-") + cColour);
    EXPECT_TRUE(bShown) << "the clip '" << cColour << "' did not show; last seen: video share "
                        << fLastShare << ", colour '" << cLast << "'";
    return bShown ? shown : TShot{};
}

TShot TPlaybackTest::ExpectClipOnWindowsMonitor(pid_t player, char cColour) {
    const TShot shown = WaitForClip(player, cColour);
    const std::optional<TWindowFacts> window = MainWindow(player);
    const std::optional<TWindowFacts> video = VideoWindow();
    if (shown.Pixels.empty() || !window || !video) {
        ADD_FAILURE() << "no clip, main window or video window to judge";
        return shown;
    }
    EXPECT_EQ(video->Box, MonitorOf(*window))
        << "the video window lies at " << ToString(video->Box);
    EXPECT_EQ(CountDifferences(shown, Wallpaper(), OtherMonitor(*window), {window->Frame}), 0)
        << "the other monitor does not show the user's wallpaper";
    return shown;
}

bool TPlaybackTest::WaitForNewFrame(pid_t player, const TShot& previous,
                                    std::chrono::milliseconds bound) {
    return WaitFor(
        [&] {
            const std::optional<TWindowFacts> window = MainWindow(player);
            if (!window) {
                return false;
            }
            // The ball covers a few hundred pixels, and moves every frame.
            return CountDifferences(desktop.Shot(), previous, MonitorOf(*window), {window->Frame}) >
                   100;
        },
        bound);
}

bool TPlaybackTest::WaitForWallpaper(const std::vector<TBox>& masks,
                                     std::chrono::milliseconds bound) {
    long iDiffering = 0;
    const bool bBack = WaitFor(
        [&] {
            iDiffering = CountDifferences(desktop.Shot(), Wallpaper(), desktop.Root(), masks);
            return iDiffering == 0;
        },
        bound);
    if (!bBack) {
        Shot("not-the-wallpaper");
        std::printf("%ld pixels differ from the user's wallpaper\n", iDiffering);
    }
    return bBack;
}

::testing::AssertionResult TPlaybackTest::Menu(pid_t player, const std::string& sMenu,
                                               const std::string& sItem) {
    const std::optional<TWindowFacts> window = MainWindow(player);
    if (!window) {
        return ::testing::AssertionFailure() << "no main window for the menu";
    }
    return PressKeys(window->Id, {"alt+" + sMenu, sItem});
}

} // namespace skivra::e2e
