#include "e2e/e2eSession.h"

#include <signal.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string_view>

namespace skivra::e2e {

namespace {

// The programs a test's processes run: the player's, and the sub-player's own.
const std::vector<std::string> kPrograms = {SKIVRA_PROGRAM, SKIVRA_SUBPLAYER_PROGRAM};

// The settings file as plain text: a UTF-16 file (by its byte-order mark) is narrowed,
// which is enough for the ASCII keys and values the tests read.
std::string SettingsText(const std::string& sRaw) {
    if (sRaw.size() >= 2 && static_cast<unsigned char>(sRaw[0]) == 0xFF &&
        static_cast<unsigned char>(sRaw[1]) == 0xFE) {
        std::string sNarrow;
        for (std::size_t i = 2; i + 1 < sRaw.size(); i += 2) {
            sNarrow.push_back(sRaw[i + 1] == 0 ? sRaw[i] : '?');
        }
        return sNarrow;
    }
    if (sRaw.rfind("\xEF\xBB\xBF", 0) == 0) {
        return sRaw.substr(3);
    }
    return sRaw;
}

std::vector<std::string> Lines(const std::string& sText) {
    std::vector<std::string> lines;
    std::istringstream in(sText);
    std::string sLine;
    while (std::getline(in, sLine)) {
        if (!sLine.empty() && sLine.back() == '\r') {
            sLine.pop_back();
        }
        lines.push_back(sLine);
    }
    return lines;
}

std::string Trim(const std::string& s) {
    const std::size_t iStart = s.find_first_not_of(" \t");
    const std::size_t iEnd = s.find_last_not_of(" \t");
    return iStart == std::string::npos ? std::string() : s.substr(iStart, iEnd - iStart + 1);
}

bool IsDesktopType(const TWindowFacts& w) {
    for (const std::string& sType : w.Types) {
        if (sType == "_NET_WM_WINDOW_TYPE_DESKTOP") {
            return true;
        }
    }
    return false;
}

bool IsHidden(const TWindowFacts& w) {
    for (const std::string& sState : w.States) {
        if (sState == "_NET_WM_STATE_HIDDEN") {
            return true;
        }
    }
    return false;
}

} // namespace

void TE2eTest::SetUp() {
    RequireTools();
    ASSERT_TRUE(desktop.IsOpen()) << "no X server at DISPLAY=" << desktop.Name();
    FsDataDir = FTemp.Path() + "/data";
    FsRuntimeDir = FTemp.Path() + "/run";
    FsToolLog = FTemp.Path() + "/tools.log";
    std::filesystem::create_directories(FsDataDir);
    std::filesystem::create_directories(FsRuntimeDir);
    chmod(FsRuntimeDir.c_str(), 0700);
}

void TE2eTest::RequireTools() {
    // The whole-program tests look and type as a user does; scripts/deps installs these.
    for (const char* pTool : {"xdotool", "feh", "gst-launch-1.0"}) {
        ASSERT_TRUE(HasTool(pTool)) << pTool << " is missing: run scripts/deps";
    }
}

void TE2eTest::TearDown() {
    // Whatever the test left running goes now, before its folders are removed.
    for (pid_t pid : FindProcesses(kPrograms, "SKIVRA_DATA_DIR", FsDataDir)) {
        kill(pid, SIGKILL);
    }
    WaitFor([&] { return FindProcesses(kPrograms, "SKIVRA_DATA_DIR", FsDataDir).empty(); },
            std::chrono::seconds(10));
    // SKIVRA_E2E_KEEP_SHOTS=1 keeps the screenshots of a passing test too, to look at.
    const char* pKeep = std::getenv("SKIVRA_E2E_KEEP_SHOTS");
    if (!HasFailure() && !(pKeep && *pKeep && std::string_view(pKeep) != "0")) {
        return;
    }
    if (HasFailure()) {
        for (const std::string& sLog : FLogs) {
            std::printf("---- %s\n%s", sLog.c_str(), ReadWholeFile(sLog).c_str());
        }
        std::printf("---- tools\n%s", ReadWholeFile(FsToolLog).c_str());
    }
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string sFolder = std::filesystem::temp_directory_path().string() + "/skivra-e2e-" +
                                info->test_suite_name() + "." + info->name();
    std::filesystem::create_directories(sFolder);
    FWallpaper.SavePpm(sFolder + "/wallpaper.ppm");
    for (const auto& [sLabel, shot] : FShots) {
        shot.SavePpm(sFolder + "/" + sLabel + ".ppm");
    }
    std::printf("screenshots of the test: %s\n", sFolder.c_str());
}

std::map<std::string, std::string> TE2eTest::ProgramEnvironment() const {
    std::map<std::string, std::string> env = {
        {"SKIVRA_DATA_DIR", FsDataDir},
        {"XDG_RUNTIME_DIR", FsRuntimeDir},
        {"XDG_CONFIG_HOME", FTemp.Path() + "/config"},
        {"QT_QPA_PLATFORM", "xcb"},
        {"DISPLAY", desktop.Name()},
    };
    // No sound server: the audio goes to a clocked sink that plays nothing.
    const char* pSink = std::getenv("SKIVRA_AUDIO_SINK");
    env["SKIVRA_AUDIO_SINK"] = pSink && *pSink ? pSink : "fakesink sync=true";
    return env;
}

TChild TE2eTest::StartProgram(const std::vector<std::string>& args) {
    std::vector<std::string> argv = {SKIVRA_PROGRAM};
    argv.insert(argv.end(), args.begin(), args.end());
    const std::string sLog = FTemp.Path() + "/start-" + std::to_string(++FiStarts) + ".log";
    FLogs.push_back(sLog);
    return Spawn(argv, ProgramEnvironment(), sLog);
}

std::vector<pid_t> TE2eTest::Players() const {
    std::vector<pid_t> players;
    for (pid_t pid : FindProcesses({SKIVRA_PROGRAM}, "SKIVRA_DATA_DIR", FsDataDir)) {
        bool bSub = false;
        for (const std::string& sArg : ProcessArguments(pid)) {
            bSub = bSub || sArg == "/SUBPLAYER";
        }
        if (!bSub && IsRunning(pid)) {
            players.push_back(pid);
        }
    }
    return players;
}

std::vector<pid_t> TE2eTest::SubPlayers() const {
    std::vector<pid_t> subs;
    for (pid_t pid : FindProcesses(kPrograms, "SKIVRA_DATA_DIR", FsDataDir)) {
        const std::vector<std::string> args = ProcessArguments(pid);
        if (args.size() > 1 && args[1] == "/SUBPLAYER" && IsRunning(pid)) {
            subs.push_back(pid);
        }
    }
    return subs;
}

std::vector<TWindowFacts> TE2eTest::ShownWindows(pid_t pid) const {
    std::vector<TWindowFacts> shown;
    for (const TWindowFacts& w : desktop.Windows()) {
        if (w.Pid == pid && w.Viewable && !IsDesktopType(w) && w.Box.Width > 1 &&
            w.Box.Height > 1) {
            shown.push_back(w);
        }
    }
    return shown;
}

std::optional<TWindowFacts> TE2eTest::MainWindow(pid_t player) const {
    for (const TWindowFacts& w : desktop.Windows()) {
        // Qt names the main window's class after the program; boxes are dialogs.
        const bool bNormal = w.Types.empty() || w.Types.front() == "_NET_WM_WINDOW_TYPE_NORMAL";
        if (w.Pid == player && w.Viewable && bNormal && !IsHidden(w) && w.Box.Width > 100) {
            return w;
        }
    }
    return std::nullopt;
}

std::optional<TWindowFacts> TE2eTest::VideoWindow() const {
    const std::vector<pid_t> subs = SubPlayers();
    for (const TWindowFacts& w : desktop.Windows()) {
        if (w.Viewable && IsDesktopType(w) &&
            std::find(subs.begin(), subs.end(), w.Pid) != subs.end()) {
            return w;
        }
    }
    return std::nullopt;
}

TChild TE2eTest::StartPlayer(std::chrono::milliseconds bound) {
    TChild player = StartProgram();
    EXPECT_TRUE(player.IsValid());
    EXPECT_TRUE(
        WaitFor([&] { return player.HasEnded() || MainWindow(player.Pid()).has_value(); }, bound))
        << "the player's window did not show";
    EXPECT_FALSE(player.HasEnded()) << "the player ended at start";
    return player;
}

::testing::AssertionResult TE2eTest::Tool(const std::vector<std::string>& argv) {
    const int iStatus = RunTool(argv, FsToolLog);
    if (iStatus == 0) {
        return ::testing::AssertionSuccess();
    }
    std::string sCommand;
    for (const std::string& s : argv) {
        sCommand += s + " ";
    }
    return ::testing::AssertionFailure() << sCommand << "ended with " << iStatus << ":\n"
                                         << ReadWholeFile(FsToolLog);
}

::testing::AssertionResult TE2eTest::PressKeys(unsigned long iWindow,
                                               const std::vector<std::string>& keys) {
    const std::string sWindow = std::to_string(iWindow);
    // Activation asks the window manager; without one the focus is set directly.
    const char* pFocus = desktop.HasWindowManager() ? "windowactivate" : "windowfocus";
    if (auto r = Tool({"xdotool", pFocus, "--sync", sWindow}); !r) {
        return r;
    }
    for (const std::string& sKey : keys) {
        if (auto r = Tool({"xdotool", "key", "--clearmodifiers", "--delay", "100", sKey}); !r) {
            return r;
        }
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult TE2eTest::ExitThroughMenu(TChild& player) {
    const std::optional<TWindowFacts> window = MainWindow(player.Pid());
    if (!window) {
        return ::testing::AssertionFailure() << "no main window to exit from";
    }
    // ファイル(&F) > 終了(&X).
    if (auto r = PressKeys(window->Id, {"alt+f", "x"}); !r) {
        return r;
    }
    if (!player.WaitEnded(std::chrono::seconds(60))) {
        return ::testing::AssertionFailure() << "the player did not end after File > Exit";
    }
    if (player.ExitCode() != 0) {
        return ::testing::AssertionFailure()
               << "the player ended with " << player.ExitCode().value_or(-1) << ", signal "
               << player.TermSignal().value_or(0);
    }
    return ::testing::AssertionSuccess();
}

void TE2eTest::SetWallpaperPicture(int iPicture) {
    // A picture whose size divides nothing on the screen, so a shifted or rescaled
    // wallpaper never matches it by chance; no black and nothing near the key colour.
    const int iWidth = 97;
    const int iHeight = 61;
    const std::string sFile = FTemp.Path() + "/user-wallpaper-" + std::to_string(iPicture) + ".ppm";
    {
        std::ofstream out(sFile, std::ios::binary);
        out << "P6\n" << iWidth << " " << iHeight << "\n255\n";
        for (int y = 0; y < iHeight; ++y) {
            for (int x = 0; x < iWidth; ++x) {
                const char channels[3] = {static_cast<char>(64 + (x * 5) % 192),
                                          static_cast<char>(64 + (y * 7) % 192),
                                          static_cast<char>(64 + ((x + y) * 3) % 192)};
                // The second picture has the channels the other way round.
                for (int i = 0; i < 3; ++i) {
                    out.put(channels[iPicture == 0 ? i : 2 - i]);
                }
            }
        }
    }
    ASSERT_TRUE(Tool({"feh", "--no-fehbg", "--bg-tile", sFile}));
    ASSERT_TRUE(WaitFor([&] { return desktop.HasRootPixmap(); }, std::chrono::seconds(10)));
}

void TE2eTest::SetUserWallpaper(int iPicture) {
    SetWallpaperPicture(iPicture);
    ASSERT_FALSE(HasFailure());
    FWallpaper = desktop.Shot();
    ASSERT_GT(FWallpaper.Width, 0);
}

void TE2eTest::ChangeUserWallpaper(int iPicture, const TShot& shown,
                                   const std::vector<TBox>& masks) {
    SetWallpaperPicture(iPicture);
    ASSERT_FALSE(HasFailure());
    ASSERT_TRUE(
        WaitFor([&] { return CountDifferences(desktop.Shot(), shown, desktop.Root(), masks) == 0; },
                std::chrono::seconds(20)))
        << "the new wallpaper does not show";
    FWallpaper = shown;
}

TShot TE2eTest::Shot(const std::string& sLabel) {
    TShot shot = desktop.Shot();
    FShots.emplace_back(std::to_string(FShots.size() + 1) + "-" + sLabel, shot);
    return shot;
}

void TE2eTest::SeedPlaylist(const std::vector<std::string>& files) const {
    std::ofstream out(DataFile(".playlist"), std::ios::binary);
    out << "\xEF\xBB\xBF";
    for (const std::string& sFile : files) {
        out << sFile << "\r\n";
    }
}

void TE2eTest::SeedSettings(const std::string& sIniText) const {
    std::ofstream(DataFile(".ini"), std::ios::binary) << sIniText;
}

std::optional<std::string> TE2eTest::SavedSetting(const std::string& sSection,
                                                  const std::string& sKey) const {
    bool bInSection = false;
    for (const std::string& sLine : Lines(SettingsText(ReadWholeFile(DataFile(".ini"))))) {
        const std::string sTrimmed = Trim(sLine);
        if (!sTrimmed.empty() && sTrimmed.front() == '[') {
            bInSection = sTrimmed == "[" + sSection + "]";
            continue;
        }
        const std::size_t iEqual = sTrimmed.find('=');
        if (bInSection && iEqual != std::string::npos && Trim(sTrimmed.substr(0, iEqual)) == sKey) {
            return Trim(sTrimmed.substr(iEqual + 1));
        }
    }
    return std::nullopt;
}

std::vector<std::string> TE2eTest::SavedPlaylist() const {
    std::vector<std::string> lines = Lines(SettingsText(ReadWholeFile(DataFile(".playlist"))));
    while (!lines.empty() && lines.back().empty()) {
        lines.pop_back();
    }
    return lines;
}

std::vector<std::string> TE2eTest::MakeClips() {
    // Made once per build folder and shared by the tests (the script keeps what is there).
    const std::string sFolder = SKIVRA_E2E_CLIPS;
    EXPECT_TRUE(Tool({SKIVRA_TEST_TOOLS "/make-e2e-clips", sFolder}));
    std::vector<std::string> clips;
    for (const char* pName : {"red.mp4", "green.mp4", "blue.mp4"}) {
        clips.push_back(sFolder + "/" + pName);
    }
    return clips;
}

} // namespace skivra::e2e
