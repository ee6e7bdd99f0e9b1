// Two Xinerama heads of a nested X server: the video goes to the head of the main window,
// and follows the window to the other head with the next file.

#include "e2e/e2ePlayback.h"

namespace skivra::e2e {
namespace {

class HeadsTest : public TPlaybackTest {
protected:
    void SetUp() override {
        TE2eTest::SetUp();
        ASSERT_FALSE(HasFailure());
        // with-xvfb made the heads (SKIVRA_XEPHYR_HEADS); a plain Xvfb would have one.
        ASSERT_EQ(desktop.Monitors().size(), 2u) << "not on the nested two-head server";
        PrepareDesktop();
    }
};

TEST_F(HeadsTest, VideoFollowsTheMainWindowToTheOtherHeadWithTheNextFile) {
    const std::vector<TBox> heads = desktop.Monitors();
    TChild player = StartPlayingTheSeededList();
    ASSERT_FALSE(HasFailure());
    const pid_t pid = player.Pid();
    TWindowFacts window = *MainWindow(pid);
    ASSERT_EQ(MonitorOf(window), heads[0]);

    // The user moves the window to the second head; the playing file stays where it is,
    // the next one plays there.
    ASSERT_TRUE(Tool({"xdotool", "windowmove", "--sync", std::to_string(window.Id),
                      std::to_string(heads[1].X + 60), std::to_string(heads[1].Y + 60)}));
    ASSERT_TRUE(WaitFor(
        [&] {
            const std::optional<TWindowFacts> moved = MainWindow(pid);
            return moved && MonitorOf(*moved) == heads[1];
        },
        10s));
    ASSERT_TRUE(VideoWindow());
    EXPECT_EQ(VideoWindow()->Box, heads[0]) << "the playing file moved with the window";
    ASSERT_TRUE(Menu(pid, "p", "n"));
    WaitForClip(pid, 'g');
    ASSERT_FALSE(HasFailure());
    window = *MainWindow(pid);
    ASSERT_TRUE(VideoWindow());
    EXPECT_EQ(VideoWindow()->Box, heads[1]) << ToString(VideoWindow()->Box);
    // The first head shows the user's picture again, not the key colour left behind.
    EXPECT_TRUE(WaitFor(
        [&] {
            return CountDifferences(desktop.Shot(), Wallpaper(), heads[0], {window.Frame}) == 0;
        },
        10s))
        << "the first head did not get the user's wallpaper back";

    ASSERT_TRUE(ExitThroughMenu(player));
    EXPECT_TRUE(WaitForWallpaper({}));
}

} // namespace
} // namespace skivra::e2e
