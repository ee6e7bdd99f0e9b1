// One player per user: second starts hand over and end, racing starts leave one player,
// and a player killed outright leaves nothing behind that blocks the next start.

#include <signal.h>

#include <set>

#include "e2e/e2eSession.h"

namespace skivra::e2e {
namespace {

using InstanceTest = TE2eTest;

TEST_F(InstanceTest, SecondStartHandsOverRestoresTheRunningPlayerAndEnds) {
    TChild player = StartPlayer();
    ASSERT_FALSE(HasFailure());
    const TWindowFacts window = *MainWindow(player.Pid());
    ASSERT_TRUE(Tool({"xdotool", "windowminimize", "--sync", std::to_string(window.Id)}));
    ASSERT_TRUE(WaitFor([&] { return !MainWindow(player.Pid()); }, 10s));

    // With words on its command line the second start hands them over and shows nothing.
    TChild second = StartProgram({"clip one.mp4", "/TO_SUBPLAYER:0"});
    ASSERT_TRUE(second.WaitEnded(60s)) << "the second start did not end";
    EXPECT_EQ(second.ExitCode(), 0);
    EXPECT_EQ(Players(), std::vector<pid_t>{player.Pid()});
    // The running player came back from its minimised state, on top.
    EXPECT_TRUE(WaitFor([&] { return MainWindow(player.Pid()).has_value(); }, 10s))
        << "the running player was not restored";
    const std::optional<TWindowFacts> restored = MainWindow(player.Pid());
    ASSERT_TRUE(restored);
    EXPECT_EQ(restored->Id, window.Id) << "a second main window appeared";
    const std::vector<unsigned long> stacking = desktop.StackingOrder();
    ASSERT_FALSE(stacking.empty());
    EXPECT_EQ(stacking.back(), window.Id);

    // Without words it says the player is already running, in a box of its own, and ends
    // once the box is answered.
    TChild third = StartProgram();
    std::vector<TWindowFacts> boxes;
    ASSERT_TRUE(WaitFor(
        [&] {
            boxes = ShownWindows(third.Pid());
            return !boxes.empty() || third.HasEnded();
        },
        60s));
    ASSERT_FALSE(third.HasEnded()) << "no box was shown";
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes.front().Title, "Skivra");
    EXPECT_TRUE(PressKeys(boxes.front().Id, {"Return"}));
    ASSERT_TRUE(third.WaitEnded(30s)) << "the box's start did not end";
    EXPECT_EQ(third.ExitCode(), 0);
    EXPECT_EQ(Players(), std::vector<pid_t>{player.Pid()});
    EXPECT_TRUE(ExitThroughMenu(player));
}

TEST_F(InstanceTest, TwentyStartsAtOnceLeaveExactlyOnePlayer) {
    constexpr int kStarts = 20;
    std::vector<TChild> starts;
    for (int i = 0; i < kStarts; ++i) {
        starts.push_back(StartProgram({"start-" + std::to_string(i) + ".mp4"}));
        ASSERT_TRUE(starts.back().IsValid());
    }
    // Every start but one ends. A start that found the lock taken before the winner's
    // window existed waits a while for it and may then say so in a box; those are answered.
    std::set<pid_t> boxes;
    const auto running = [&] {
        int iRunning = 0;
        for (TChild& start : starts) {
            iRunning += !start.HasEnded();
        }
        return iRunning;
    };
    ASSERT_TRUE(WaitFor(
        [&] {
            const std::vector<pid_t> players = Players();
            if (running() == 1 && players.size() == 1 && MainWindow(players.front())) {
                return true;
            }
            const pid_t winner = players.size() == 1 ? players.front() : 0;
            for (TChild& start : starts) {
                if (start.Pid() == winner || start.HasEnded()) {
                    continue;
                }
                for (const TWindowFacts& box : ShownWindows(start.Pid())) {
                    if (PressKeys(box.Id, {"Return"})) {
                        boxes.insert(box.Pid);
                    }
                }
            }
            return false;
        },
        240s))
        << running() << " starts still running, " << Players().size() << " players";
    std::printf("%zu of %d racing starts showed the already-running box\n", boxes.size(),
                kStarts - 1);

    TChild* pWinner = nullptr;
    for (TChild& start : starts) {
        if (!start.HasEnded()) {
            pWinner = &start;
        } else {
            EXPECT_EQ(start.ExitCode(), 0) << "start " << start.Pid();
        }
    }
    ASSERT_NE(pWinner, nullptr);
    EXPECT_EQ(Players(), std::vector<pid_t>{pWinner->Pid()});
    // One main window, the winner's.
    int iMainWindows = 0;
    for (const TWindowFacts& w : desktop.Windows()) {
        iMainWindows += w.Viewable && MainWindow(w.Pid) && MainWindow(w.Pid)->Id == w.Id;
    }
    EXPECT_EQ(iMainWindows, 1);
    EXPECT_TRUE(ExitThroughMenu(*pWinner));
}

TEST_F(InstanceTest, KilledPlayerLeavesNothingThatBlocksTheNextStart) {
    TChild first = StartPlayer();
    ASSERT_FALSE(HasFailure());
    first.Kill(SIGKILL);
    ASSERT_TRUE(first.WaitEnded(10s));
    // Its lock file and its selection are left to the system to clear: the next start is
    // a player of its own, and a start after that finds it.
    TChild next = StartPlayer();
    ASSERT_FALSE(HasFailure());
    EXPECT_EQ(Players(), std::vector<pid_t>{next.Pid()});
    TChild handover = StartProgram({"a.mp4"});
    ASSERT_TRUE(handover.WaitEnded(60s));
    EXPECT_EQ(handover.ExitCode(), 0);
    EXPECT_EQ(Players(), std::vector<pid_t>{next.Pid()});
    EXPECT_TRUE(ExitThroughMenu(next));
}

} // namespace
} // namespace skivra::e2e
