// A desktop whose window manager honours none of the desktop-window hints (here: none at
// all). The video window still covers the monitor of the main window, stays below it, and
// the user's wallpaper comes back when playback stops.

#include "e2e/e2ePlayback.h"

#include <algorithm>

namespace skivra::e2e {
namespace {

class BareDesktopTest : public TPlaybackTest {
protected:
    void SetUp() override {
        TE2eTest::SetUp();
        ASSERT_FALSE(HasFailure());
        ASSERT_FALSE(desktop.HasWindowManager()) << "run with SKIVRA_XVFB_WM=0";
        SplitIntoTwoMonitors();
        ASSERT_FALSE(HasFailure());
        PrepareDesktop();
    }
};

TEST_F(BareDesktopTest, VideoCoversItsMonitorBelowTheWindowsAndStopsCleanly) {
    // Placed where it was asked to be, with nobody to move it.
    TChild player = StartPlayingTheSeededList();
    ASSERT_FALSE(HasFailure());
    const pid_t pid = player.Pid();
    const TShot playing = desktop.Shot();
    const TWindowFacts window = *MainWindow(pid);
    const std::optional<TWindowFacts> video = VideoWindow();
    ASSERT_TRUE(video);

    // Nobody keeps the video window down but the program: it must lie below the main window.
    const std::vector<unsigned long> stacking = desktop.RootChildren();
    const auto videoAt =
        std::find(stacking.begin(), stacking.end(), desktop.TopAncestor(video->Id));
    const auto mainAt = std::find(stacking.begin(), stacking.end(), desktop.TopAncestor(window.Id));
    ASSERT_NE(videoAt, stacking.end());
    ASSERT_NE(mainAt, stacking.end());
    EXPECT_LT(videoAt - stacking.begin(), mainAt - stacking.begin());
    // The window's own pixels show on top of the video.
    EXPECT_GT(CountDifferences(playing, Wallpaper(), window.Box), window.Box.Width);

    ASSERT_TRUE(Menu(pid, "p", "s"));
    EXPECT_TRUE(WaitForWallpaper(MainWindowMask(pid)));
    ASSERT_TRUE(ExitThroughMenu(player));
    EXPECT_TRUE(WaitForWallpaper({}));
}

} // namespace
} // namespace skivra::e2e
