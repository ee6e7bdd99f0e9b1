#pragma once

#include "e2e/e2eSession.h"

namespace skivra::e2e {

// Whole-program tests that play the generated clips as the desktop wallpaper. The user's
// wallpaper is set first and kept as the screen showed it; the player starts with a
// seeded playlist (the saved one, restored at start) and its window on the first monitor.
// A fixture's SetUp runs TE2eTest::SetUp, sets up the monitors, then PrepareDesktop.
class TPlaybackTest : public TE2eTest {
protected:
    // Divides the screen into two RandR monitors side by side, so the desktop beside the
    // video shows too.
    void SplitIntoTwoMonitors();
    // Makes the clips and sets the user's wallpaper; after the monitors are in place.
    void PrepareDesktop();

    // Seeds the playlist of the three clips, and the settings: the main window on the
    // first monitor, plus the extra lines given (whole INI sections).
    void SeedStart(const std::string& sExtraSettings = {});

    // Seeds the start (SeedStart), starts the player and expects the first clip on the
    // monitor of its window (ExpectClipOnWindowsMonitor); the running player.
    TChild StartPlayingTheSeededList();

    // The monitor that holds the window's top-left corner, and the other one.
    TBox MonitorOf(const TWindowFacts& window) const;
    TBox OtherMonitor(const TWindowFacts& window) const;
    // Waits until the player's monitor shows video of the clip of that colour ('r', 'g',
    // 'b') outside the main window; the shot that showed it, or an empty one.
    TShot WaitForClip(pid_t player, char cColour, std::chrono::milliseconds bound = 60s);
    // WaitForClip, then what the desktop must show with it: the video window over the whole
    // monitor of the main window, and the other monitor exactly as the user's wallpaper.
    TShot ExpectClipOnWindowsMonitor(pid_t player, char cColour);
    // Waits until the video on the player's monitor moves on from that shot.
    bool WaitForNewFrame(pid_t player, const TShot& previous,
                         std::chrono::milliseconds bound = 20s);
    // Waits until the screen shows nothing but the user's wallpaper outside the masks.
    bool WaitForWallpaper(const std::vector<TBox>& masks, std::chrono::milliseconds bound = 20s);
    // The main window's frame: what to leave out when judging the desktop.
    std::vector<TBox> MainWindowMask(pid_t player) const;
    // A menu command by its access keys: "p" is the play menu, "f" the file menu.
    ::testing::AssertionResult Menu(pid_t player, const std::string& sMenu,
                                    const std::string& sItem);

    std::vector<std::string> clips;
};

} // namespace skivra::e2e
