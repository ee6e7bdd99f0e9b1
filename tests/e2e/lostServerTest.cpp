// The X server goes away while the player plays (the session ends, the server crashes):
// the player must end without a crash of its own.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

#include "e2e/e2eSession.h"

namespace skivra::e2e {
namespace {

// An X server of the test's own, which the test can take away from the player without
// losing the display that it runs under itself.
class TPrivateServer {
public:
    TPrivateServer() {
        int ready[2];
        if (pipe(ready) != 0) {
            return;
        }
        FPid = fork();
        if (FPid == 0) {
            close(ready[0]);
            const std::string sFd = std::to_string(ready[1]);
            execlp("Xvfb", "Xvfb", "-displayfd", sFd.c_str(), "-screen", "0", "800x600x24",
                   "-nolisten", "tcp", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(ready[1]);
        // The server writes its display number once it accepts connections.
        FILE* pReady = fdopen(ready[0], "r");
        int iDisplay = -1;
        if (pReady && std::fscanf(pReady, "%d", &iDisplay) == 1) {
            FsName = ":" + std::to_string(iDisplay);
        }
        if (pReady) {
            std::fclose(pReady);
        }
    }
    ~TPrivateServer() { Kill(); }
    TPrivateServer(const TPrivateServer&) = delete;
    TPrivateServer& operator=(const TPrivateServer&) = delete;

    const std::string& Name() const { return FsName; }
    void Kill() {
        if (FPid > 0) {
            kill(FPid, SIGKILL);
            waitpid(FPid, nullptr, 0);
            FPid = -1;
        }
    }

private:
    pid_t FPid = -1;
    std::string FsName;
};

using LostServerTest = TE2eTest;

TEST_F(LostServerTest, PlayerEndsWithoutACrashWhenTheServerGoes) {
    const std::vector<std::string> clips = MakeClips();
    ASSERT_FALSE(HasFailure());
    SeedPlaylist(clips);
    SeedSettings("[Bounds]\r\nApp_Skivra_Left=40\r\nApp_Skivra_Top=40\r\n"
                 "App_Skivra_Right=300\r\nApp_Skivra_Bottom=300\r\n\r\n");
    TPrivateServer server;
    ASSERT_FALSE(server.Name().empty()) << "Xvfb did not start";
    std::map<std::string, std::string> env = ProgramEnvironment();
    env["DISPLAY"] = server.Name();
    TChild player = Spawn({SKIVRA_PROGRAM}, env, TempPath("player.log"));
    ASSERT_TRUE(player.IsValid());
    {
        // Playing: the first clip shows on the desktop beside the main window, and moves on
        // (by then the player has gone through its start, its information fetch included).
        const TDesktop screen(server.Name());
        ASSERT_TRUE(screen.IsOpen());
        std::vector<TBox> masks;
        std::optional<TShot> first;
        const bool bPlaying = WaitFor(
            [&] {
                if (player.HasEnded()) {
                    return true;
                }
                masks.clear();
                for (const TWindowFacts& w : screen.Windows()) {
                    if (w.Pid == player.Pid() && w.Viewable) {
                        masks.push_back(w.Frame);
                    }
                }
                const TShot shot = screen.Shot();
                if (masks.empty() || DominantColour(shot, screen.Root(), masks) != 'r') {
                    return false;
                }
                if (!first) {
                    first = shot;
                    return false;
                }
                return CountDifferences(shot, *first, screen.Root(), masks) > 0;
            },
            60s);
        ASSERT_TRUE(bPlaying && !player.HasEnded()) << "the clip did not play\n" << player.Log();
        // The test's own connection goes before the server does.
    }
    server.Kill();
    ASSERT_TRUE(player.WaitEnded(60s)) << "the player outlived its X server\n" << player.Log();
    EXPECT_FALSE(player.TermSignal().has_value())
        << "ended by signal " << player.TermSignal().value_or(0) << "\n"
        << player.Log();
    EXPECT_EQ(player.Log().find("terminate called"), std::string::npos) << player.Log();
}

} // namespace
} // namespace skivra::e2e
