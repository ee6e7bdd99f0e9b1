// The X server goes away while the player plays (the session ends, the server crashes):
// the player must end without a crash of its own.

#include <signal.h>

#include "e2e/e2eSession.h"
#include "support/PrivateXServer.h"

namespace skivra::e2e {
namespace {

using LostServerTest = TE2eTest;

TEST_F(LostServerTest, PlayerEndsWithoutACrashWhenTheServerGoes) {
    const std::vector<std::string> clips = MakeClips();
    ASSERT_FALSE(HasFailure());
    SeedPlaylist(clips);
    SeedSettings("[Bounds]\r\nApp_Skivra_Left=40\r\nApp_Skivra_Top=40\r\n"
                 "App_Skivra_Right=300\r\nApp_Skivra_Bottom=300\r\n\r\n");
    // A server the test can take away from the player without losing the display that it
    // runs under itself.
    test::TPrivateXServer server(test::TPrivateXServer::Xvfb("800x600x24"));
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
    server.Stop(SIGKILL);
    ASSERT_TRUE(player.WaitEnded(60s)) << "the player outlived its X server\n" << player.Log();
    EXPECT_FALSE(player.TermSignal().has_value())
        << "ended by signal " << player.TermSignal().value_or(0) << "\n"
        << player.Log();
    EXPECT_EQ(player.Log().find("terminate called"), std::string::npos) << player.Log();
}

} // namespace
} // namespace skivra::e2e
