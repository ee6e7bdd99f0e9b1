#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "e2e/e2eDesktop.h"
#include "e2e/e2eProcess.h"
#include "support/TempFolder.h"

namespace skivra::e2e {

// The key colour the program paints where video shows (red 16, green 0, blue 16).
constexpr std::uint32_t kKeyColourRgb = 0x100010;

// One whole-program test on its own X server (the test runs under with-xvfb): a data
// folder and a runtime folder of its own, so the program's settings, playlist, journal and
// instance lock are this test's alone; helpers to start the built program, find its
// processes and windows, drive it the way a user does (xdotool), and look at the screen.
class TE2eTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Polls every 100 ms until the condition holds; false after the bound.
    template <class F> static bool WaitFor(F condition, std::chrono::milliseconds bound) {
        const auto deadline = std::chrono::steady_clock::now() + bound;
        while (!condition()) {
            if (std::chrono::steady_clock::now() > deadline) {
                return false;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return true;
    }

    const std::string& DataDir() const { return FsDataDir; }
    std::string DataFile(const std::string& sExt) const { return FsDataDir + "/skivra" + sExt; }
    std::string TempPath(const std::string& sName) const { return FTemp.Path() + "/" + sName; }

    // The environment a user's start of the program has here.
    std::map<std::string, std::string> ProgramEnvironment() const;
    // Starts the program with these command-line words; its output goes to a log of its
    // own, shown when the test fails.
    TChild StartProgram(const std::vector<std::string>& args = {});

    // This test's running processes of the program, by role.
    std::vector<pid_t> Players() const;
    std::vector<pid_t> SubPlayers() const;
    // The shown main window of a player process; nothing while there is none.
    std::optional<TWindowFacts> MainWindow(pid_t player) const;
    // The shown windows of a process that are not desktop windows (main window, boxes).
    std::vector<TWindowFacts> ShownWindows(pid_t pid) const;
    // The shown desktop-type window of a sub-player: the video window.
    std::optional<TWindowFacts> VideoWindow() const;
    // Starts the player and waits for its main window.
    TChild StartPlayer(std::chrono::milliseconds bound = std::chrono::seconds(60));

    // Runs a tool; a failure fails the test with the tool's output.
    ::testing::AssertionResult Tool(const std::vector<std::string>& argv);
    // Gives the window the focus and types keys to it (xdotool key names: "alt+f", "x").
    ::testing::AssertionResult PressKeys(unsigned long iWindow,
                                         const std::vector<std::string>& keys);
    // File > Exit through the menu; waits for the process to end with status 0.
    ::testing::AssertionResult ExitThroughMenu(TChild& player);

    // Sets one of two generated pictures as the user's wallpaper with a wallpaper setter
    // (feh, tiled) and keeps the screen as it then shows in Wallpaper().
    void SetUserWallpaper(int iPicture = 0);
    // The same while windows are on the screen: the root shows the picture once the area
    // outside the masks looks as `shown`, which becomes Wallpaper().
    void ChangeUserWallpaper(int iPicture, const TShot& shown, const std::vector<TBox>& masks);
    const TShot& Wallpaper() const { return FWallpaper; }
    // The screen now; kept and written out when the test fails.
    TShot Shot(const std::string& sLabel);

    // Writes the saved playlist (UTF-8 with a byte-order mark, CR LF) and the settings.
    void SeedPlaylist(const std::vector<std::string>& files) const;
    void SeedSettings(const std::string& sIniText) const;
    // A value of the saved settings ("Resume", "FileName"); nothing when missing.
    std::optional<std::string> SavedSetting(const std::string& sSection,
                                            const std::string& sKey) const;
    // The saved playlist's lines, without the byte-order mark and line ends.
    std::vector<std::string> SavedPlaylist() const;
    // The short generated clips (tests/support/make-e2e-clips): red, green, blue.
    std::vector<std::string> MakeClips();

    TDesktop desktop;

private:
    void RequireTools();
    void SetWallpaperPicture(int iPicture);

    test::TempFolder FTemp;
    std::string FsDataDir;
    std::string FsRuntimeDir;
    std::string FsToolLog;
    int FiStarts = 0;
    std::vector<std::string> FLogs;
    TShot FWallpaper;
    std::vector<std::pair<std::string, TShot>> FShots;
};

} // namespace skivra::e2e
