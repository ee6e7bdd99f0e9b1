// The main job end to end: the saved playlist plays as the desktop wallpaper on the
// monitor of the main window, the transport commands act on what the desktop shows, and
// every way out (stop, exit, a killed player) gives the user's wallpaper back exactly.

#include <signal.h>

#include <cstdlib>
#include <filesystem>

#include "e2e/e2ePlayback.h"

namespace skivra::e2e {
namespace {

class PlaybackTest : public TPlaybackTest {
protected:
    // One screen of two RandR monitors.
    void SetUp() override {
        TE2eTest::SetUp();
        ASSERT_FALSE(HasFailure());
        SplitIntoTwoMonitors();
        ASSERT_FALSE(HasFailure());
        PrepareDesktop();
    }
};

double ToSeconds(const std::optional<std::string>& sValue) {
    return sValue ? std::strtod(sValue->c_str(), nullptr) : -1.0;
}

TEST_F(PlaybackTest, PlaysOnTheWindowsMonitorAndGivesTheWallpaperBackOnStopAndExit) {
    // The saved playlist's first entry plays over the whole monitor of the main window; the
    // rest of the desktop is the user's wallpaper, exactly.
    TChild player = StartPlayingTheSeededList();
    ASSERT_FALSE(HasFailure());
    const pid_t pid = player.Pid();
    const TWindowFacts window = *MainWindow(pid);
    const TShot playing = desktop.Shot();
    EXPECT_TRUE(WaitForNewFrame(pid, playing)) << "the video does not move";

    // Paused, the picture holds still; played again, it moves on.
    ASSERT_TRUE(Menu(pid, "p", "p"));
    TShot paused;
    ASSERT_TRUE(WaitFor(
        [&] {
            const TShot before = desktop.Shot();
            std::this_thread::sleep_for(500ms);
            paused = desktop.Shot();
            return CountDifferences(before, paused, MonitorOf(window), MainWindowMask(pid)) == 0;
        },
        20s))
        << "the picture still moves after pause";
    EXPECT_GT(
        VideoShare(paused, Wallpaper(), MonitorOf(window), MainWindowMask(pid), kKeyColourRgb),
        0.8);
    ASSERT_TRUE(Menu(pid, "p", "p"));
    EXPECT_TRUE(WaitForNewFrame(pid, paused)) << "the video does not move after play";

    // Next: the second clip.
    ASSERT_TRUE(Menu(pid, "p", "n"));
    ExpectClipOnWindowsMonitor(pid, 'g');

    // Stop: the desktop is the user's wallpaper again, pixel for pixel, and no video
    // window is left over it.
    ASSERT_TRUE(Menu(pid, "p", "s"));
    EXPECT_TRUE(WaitForWallpaper(MainWindowMask(pid))) << "stop left the desktop changed";
    EXPECT_FALSE(VideoWindow());

    // Exit: nothing of the program is left on the screen, the settings and the playlist are
    // saved, and the sub-player ends by itself.
    ASSERT_TRUE(ExitThroughMenu(player));
    EXPECT_TRUE(WaitForWallpaper({})) << "exit left the desktop changed";
    EXPECT_TRUE(WaitFor([&] { return SubPlayers().empty(); }, 20s)) << "the sub-player stayed";
    EXPECT_EQ(SavedPlaylist(), clips);
    EXPECT_TRUE(SavedSetting("Bounds", "App_Skivra_Left").has_value());
    EXPECT_FALSE(std::filesystem::exists(DataFile(".wallpaper.journal")));
}

TEST_F(PlaybackTest, RestartResumesTheSavedEntryNearTheSavedPosition) {
    SeedStart();
    TChild first = StartPlayer();
    ASSERT_FALSE(HasFailure());
    WaitForClip(first.Pid(), 'r');
    ASSERT_TRUE(Menu(first.Pid(), "p", "n"));
    WaitForClip(first.Pid(), 'g');
    ASSERT_FALSE(HasFailure());
    // The clip plays on for a while (this is the playing time, not a wait for anything), so
    // that the saved position lies well past where a start from the beginning would be.
    std::this_thread::sleep_for(6s);
    ASSERT_TRUE(WaitForNewFrame(first.Pid(), desktop.Shot()));
    ASSERT_TRUE(ExitThroughMenu(first));
    EXPECT_EQ(SavedSetting("Resume", "ResumeIndex"), "1");
    EXPECT_EQ(SavedSetting("Resume", "FileName"), clips[1]);
    const double fSaved = ToSeconds(SavedSetting("Resume", "ResumePosition"));
    EXPECT_GT(fSaved, 5.0);
    // Ended while a video played: the takeover is undone and its journal gone, and the
    // sub-player follows.
    ASSERT_TRUE(WaitForWallpaper({}));
    EXPECT_FALSE(std::filesystem::exists(DataFile(".wallpaper.journal")));
    EXPECT_TRUE(WaitFor([&] { return SubPlayers().empty(); }, 20s)) << "the sub-player stayed";

    // The next start plays the same entry from about where it was left.
    const auto starting = std::chrono::steady_clock::now();
    TChild second = StartPlayer();
    ASSERT_FALSE(HasFailure());
    WaitForClip(second.Pid(), 'g');
    ASSERT_TRUE(ExitThroughMenu(second));
    const double fElapsed =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - starting).count();
    const double fResaved = ToSeconds(SavedSetting("Resume", "ResumePosition"));
    EXPECT_EQ(SavedSetting("Resume", "ResumeIndex"), "1");
    EXPECT_GE(fResaved, fSaved - 0.5) << "the second start did not resume at " << fSaved;
    EXPECT_LE(fResaved, fSaved + fElapsed + 0.5);
}

// A wallpaper the user sets while a video plays is the user's from then on: the next file
// plays over it, and it is the one that stays at the end.
TEST_F(PlaybackTest, AWallpaperSetWhilePlayingIsTheOneThatStays) {
    SetUserWallpaper(1);
    ASSERT_FALSE(HasFailure());
    const TShot newer = Wallpaper();
    SetUserWallpaper(0);
    ASSERT_FALSE(HasFailure());
    TChild player = StartPlayingTheSeededList();
    ASSERT_FALSE(HasFailure());
    const pid_t pid = player.Pid();
    const TWindowFacts window = *MainWindow(pid);
    std::vector<TBox> masks = MainWindowMask(pid);
    masks.push_back(MonitorOf(window));
    ChangeUserWallpaper(1, newer, masks);
    ASSERT_FALSE(HasFailure());

    ASSERT_TRUE(Menu(pid, "p", "n"));
    ExpectClipOnWindowsMonitor(pid, 'g');
    ASSERT_TRUE(ExitThroughMenu(player));
    EXPECT_TRUE(WaitForWallpaper({})) << "the wallpaper set while playing did not stay";
    EXPECT_FALSE(std::filesystem::exists(DataFile(".wallpaper.journal")));
}

TEST_F(PlaybackTest, KilledPlayerLeavesTheUsersWallpaperAndACleanNextStart) {
    TChild player = StartPlayingTheSeededList();
    ASSERT_FALSE(HasFailure());
    const std::vector<pid_t> subs = SubPlayers();
    ASSERT_EQ(subs.size(), 1u);
    ASSERT_TRUE(std::filesystem::exists(DataFile(".wallpaper.journal")));
    // The sub-player runs its own program, which cannot read pictures itself.
    EXPECT_EQ(std::filesystem::read_symlink("/proc/" + std::to_string(subs[0]) + "/exe"),
              SKIVRA_SUBPLAYER_PROGRAM);

    // Killed outright, the player cannot give the wallpaper back: its sub-player notices,
    // becomes the player's program, which does from the journal the takeover left, and
    // ends.
    const auto killed = std::chrono::steady_clock::now();
    player.Kill(SIGKILL);
    ASSERT_TRUE(player.WaitEnded(10s));
    EXPECT_TRUE(WaitForWallpaper({}, 15s)) << "the user's wallpaper did not come back";
    const auto restored = std::chrono::steady_clock::now();
    std::printf(
        "the wallpaper was back %lld ms after the kill\n",
        static_cast<long long>(
            std::chrono::duration_cast<std::chrono::milliseconds>(restored - killed).count()));
    EXPECT_TRUE(WaitFor([&] { return SubPlayers().empty(); }, 15s)) << "the sub-player stayed";
    EXPECT_FALSE(std::filesystem::exists(DataFile(".wallpaper.journal")));

    // The next start is a player of its own and plays again; its exit leaves the desktop
    // as the user had it.
    TChild next = StartPlayer();
    ASSERT_FALSE(HasFailure());
    WaitForClip(next.Pid(), 'r');
    EXPECT_EQ(SubPlayers().size(), 1u);
    ASSERT_TRUE(ExitThroughMenu(next));
    EXPECT_TRUE(WaitForWallpaper({}));
}

} // namespace
} // namespace skivra::e2e
