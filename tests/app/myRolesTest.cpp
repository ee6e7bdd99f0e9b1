// The two roles of the program on a real X server: the player's channel in this test
// process, the sub-player and second starts as real processes of the built program.

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <thread>

#include "app/myPlayerChannel.h"
#include "app/myX11Session.h"
#include "platform/posix/myInstanceLock.h"
#include "platform/posix/myProcess.h"
#include "platform/x11/myX11MessageWindow.h"
#include "platform/x11/myX11Window.h"
#include "support/TempFolder.h"
#include "support/myUnicode.h"

namespace skivra {
namespace {

using namespace std::chrono_literals;

const std::u16string kProgram = *Utf8ToUtf16(SKIVRA_PROGRAM);

class RolesTest : public ::testing::Test {
protected:
    void SetUp() override {
        // A runtime folder of this test's own: the instance lock of a real player on this
        // machine is never touched.
        setenv("XDG_RUNTIME_DIR", runtime.Path().c_str(), 1);
        ASSERT_TRUE(session.IsOpen());
    }

    // Handles events until the predicate holds; false after a generous bound.
    template <class F> bool PumpUntil(F predicate, std::chrono::seconds bound = 30s) {
        const auto deadline = std::chrono::steady_clock::now() + bound;
        while (!predicate()) {
            if (std::chrono::steady_clock::now() > deadline) {
                return false;
            }
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            session.Drain();
            std::this_thread::sleep_for(5ms);
        }
        return true;
    }

    static bool HasEnded(pid_t pid) { return kill(pid, 0) != 0; }

    test::TempFolder runtime;
    TMyX11Session session;
};

TEST_F(RolesTest, SubPlayerAnnouncesItsDesktopWindowAndEndsWhenThePlayerGoes) {
    auto channel = std::make_unique<TMyPlayerChannel>(session, 0, kProgram);
    ASSERT_NE(channel->MessagePanel(), 0u);
    // Either within the launch wait, or (on a slow machine) late: both store the window.
    channel->SubPlayerReady();
    ASSERT_TRUE(PumpUntil([&] { return session.Connection().IsWindow(channel->SubPlayerHwnd()); }));
    const TMyWindowId video = channel->SubPlayerHwnd();
    EXPECT_NE(channel->SubPlayerMsgHwnd(), video);
    EXPECT_EQ(FindMessagePanel(session.Connection(), video), channel->SubPlayerMsgHwnd());
    const pid_t pid = static_cast<pid_t>(GetWindowProcessId(session.Connection(), video));
    ASSERT_GT(pid, 0);
    EXPECT_EQ(GetWindowModuleFileName(session.Connection(), video), kProgram);

    // A sub-player in place is not launched again.
    EXPECT_TRUE(channel->SubPlayerReady());
    EXPECT_EQ(channel->SubPlayerHwnd(), video);

    const auto start = std::chrono::steady_clock::now();
    channel.reset();
    session.Connection().Flush();
    EXPECT_TRUE(PumpUntil([&] { return HasEnded(pid); }));
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - start);
    std::printf("sub-player ended %lld ms after the player's panel went\n",
                static_cast<long long>(elapsed.count()));
}

TEST_F(RolesTest, SubPlayerClosesOnACloseText) {
    TMyPlayerChannel channel(session, 0, kProgram);
    channel.SubPlayerReady();
    ASSERT_TRUE(PumpUntil([&] { return session.Connection().IsWindow(channel.SubPlayerHwnd()); }));
    const pid_t pid =
        static_cast<pid_t>(GetWindowProcessId(session.Connection(), channel.SubPlayerHwnd()));
    ASSERT_TRUE(SendMessageText(session.Connection(), u"/close", channel.SubPlayerMsgHwnd()));
    EXPECT_TRUE(PumpUntil([&] { return HasEnded(pid); }));
}

TEST_F(RolesTest, HandStartedSubPlayerWithoutAPlayerEndsByItself) {
    for (const char16_t* sParams : {u"/SUBPLAYER", u"/SUBPLAYER /FROM:0", u"/SUBPLAYER /FROM:-5",
                                    u"/SUBPLAYER /FROM:12345678", u"/SUBPLAYER /FROM:abc"}) {
        TMyProcess process = ShellExecuteProcess(kProgram, sParams);
        ASSERT_TRUE(process.IsValid());
        EXPECT_TRUE(PumpUntil([&] { return process.HasEnded(); })) << Utf16ToUtf8(sParams);
    }
}

TEST_F(RolesTest, AnnouncementsFollowTheLastToSubPlayer) {
    TMyPlayerChannel channel(session, 0, kProgram);
    const TMyWindowId panel = CreateMessageWindow(session.Connection(), 0);
    channel.MyMessagePanel1TextChange(u"/TO_SUBPLAYER:1 a.mp4 /to_subplayer:" +
                                      *Utf8ToUtf16(std::to_string(panel)));
    EXPECT_EQ(channel.SubPlayerMsgHwnd(), panel);
    EXPECT_EQ(channel.SubPlayerHwnd(), panel);
    // Negative values are refused; text that is no number counts as 0.
    channel.MyMessagePanel1TextChange(u"/TO_SUBPLAYER:-3");
    EXPECT_EQ(channel.SubPlayerMsgHwnd(), panel);
    channel.MyMessagePanel1TextChange(u"/FROM:9 song.mp3");
    EXPECT_EQ(channel.SubPlayerMsgHwnd(), panel);
    channel.MyMessagePanel1TextChange(u"/TO_SUBPLAYER:x");
    EXPECT_EQ(channel.SubPlayerMsgHwnd(), 0u);
    EXPECT_EQ(channel.SubPlayerHwnd(), 0u);
}

TEST_F(RolesTest, SecondStartHandsItsCommandLineToTheRunningPlayer) {
    // This process plays the running player: it holds the lock and the selection.
    ASSERT_FALSE(MutexAlreadyExists(u"_d_gdo19dkg?Idodxx"));
    TMyPlayerChannel channel(session, 0, kProgram);
    ASSERT_TRUE(channel.IsClaimed());
    TMyProcess second = ShellExecuteProcess(kProgram, u"\"a b.mp4\" /TO_SUBPLAYER:0");
    ASSERT_TRUE(second.IsValid());
    EXPECT_TRUE(PumpUntil([&] { return second.HasEnded(); }));
    EXPECT_TRUE(PumpUntil([&] { return !channel.MessageCaption().empty(); }));
    EXPECT_EQ(channel.MessageCaption(), u"\"a b.mp4\" /TO_SUBPLAYER:0");
}

} // namespace
} // namespace skivra
