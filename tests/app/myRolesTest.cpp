// The two roles of the program on a real X server: the player's channel in this test
// process, the sub-player and second starts as real processes of the built programs.

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <sys/stat.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "app/myPlayerChannel.h"
#include "app/mySubPlayerProgram.h"
#include "app/myX11Session.h"
#include "app/sub.h"
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

// The sub-player's part is played by either program: the player's own, and the sub-player's
// own that the player starts when it lies beside it.
class SubPlayerTest : public RolesTest, public ::testing::WithParamInterface<const char*> {
protected:
    const std::u16string sSubPlayer = *Utf8ToUtf16(GetParam());
};

INSTANTIATE_TEST_SUITE_P(Programs, SubPlayerTest,
                         ::testing::Values(SKIVRA_PROGRAM, SKIVRA_SUBPLAYER_PROGRAM));

TEST_F(RolesTest, ThePlayerStartsTheSubPlayersOwnProgramWhenItIsBesideIt) {
    EXPECT_EQ(SubPlayerProgramFile(kProgram), *Utf8ToUtf16(SKIVRA_SUBPLAYER_PROGRAM));
    EXPECT_EQ(PlayerProgramFile(*Utf8ToUtf16(SKIVRA_SUBPLAYER_PROGRAM)), kProgram);
    // Missing, or there but not executable: the player's program plays the part itself.
    const std::u16string sAlone = *Utf8ToUtf16(runtime.Path() + "/skivra");
    EXPECT_EQ(SubPlayerProgramFile(sAlone), sAlone);
    const std::string sHelper = runtime.Path() + "/skivra-subplayer";
    ASSERT_TRUE(std::ofstream(sHelper) << "#!/bin/sh\n");
    EXPECT_EQ(SubPlayerProgramFile(sAlone), sAlone);
    ASSERT_EQ(chmod(sHelper.c_str(), 0755), 0);
    EXPECT_EQ(SubPlayerProgramFile(sAlone), *Utf8ToUtf16(sHelper));
}

TEST_F(RolesTest, SubPlayerFormRunsThePlayerGoneHookOnceItsPlayerIsGone) {
    const auto Announce = [](TMyWindowId player) {
        return u"/SUBPLAYER /FROM:" + *Utf8ToUtf16(std::to_string(player));
    };
    // A player already gone when the form is made: handled at once, before any loop runs.
    const TMyWindowId gone = CreateMessageWindow(session.Connection(), 0);
    session.Connection().DestroyWindow(gone);
    int iGone = 0;
    bool bClosed = false;
    {
        TApp_SkivraSubForm form(session, [&] { ++iGone; });
        QObject::connect(&form, &TApp_SkivraSubForm::Closed, [&] { bClosed = true; });
        form.FormCreate(Announce(gone));
        EXPECT_EQ(iGone, 1);
        EXPECT_TRUE(bClosed);
    }

    // A live player: nothing until its panel goes; a /CLOSE text ends the form without it.
    const TMyWindowId player = CreateMessageWindow(session.Connection(), 0);
    iGone = 0;
    TApp_SkivraSubForm form(session, [&] { ++iGone; });
    form.FormCreate(Announce(player));
    EXPECT_EQ(form.MainPlayer(), player);
    session.Connection().DestroyWindow(player);
    EXPECT_TRUE(PumpUntil([&] { return iGone == 1; }));
    TApp_SkivraSubForm closing(session, [&] { ++iGone; });
    closing.FormCreate(u"/SUBPLAYER /CLOSE /FROM:1");
    EXPECT_EQ(iGone, 1);
}

TEST_P(SubPlayerTest, AnnouncesItsDesktopWindowAndEndsWhenThePlayerGoes) {
    auto channel = std::make_unique<TMyPlayerChannel>(session, 0, sSubPlayer);
    ASSERT_NE(channel->MessagePanel(), 0u);
    // Either within the launch wait, or (on a slow machine) late: both store the window.
    channel->SubPlayerReady();
    ASSERT_TRUE(PumpUntil([&] { return session.Connection().IsWindow(channel->SubPlayerHwnd()); }));
    const TMyWindowId video = channel->SubPlayerHwnd();
    EXPECT_NE(channel->SubPlayerMsgHwnd(), video);
    EXPECT_EQ(FindMessagePanel(session.Connection(), video), channel->SubPlayerMsgHwnd());
    const pid_t pid = static_cast<pid_t>(GetWindowProcessId(session.Connection(), video));
    ASSERT_GT(pid, 0);
    EXPECT_EQ(GetWindowModuleFileName(session.Connection(), video), sSubPlayer);

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

TEST_P(SubPlayerTest, ClosesOnACloseText) {
    TMyPlayerChannel channel(session, 0, sSubPlayer);
    channel.SubPlayerReady();
    ASSERT_TRUE(PumpUntil([&] { return session.Connection().IsWindow(channel.SubPlayerHwnd()); }));
    const pid_t pid =
        static_cast<pid_t>(GetWindowProcessId(session.Connection(), channel.SubPlayerHwnd()));
    ASSERT_TRUE(SendMessageText(session.Connection(), u"/close", channel.SubPlayerMsgHwnd()));
    EXPECT_TRUE(PumpUntil([&] { return HasEnded(pid); }));
}

TEST_P(SubPlayerTest, HandStartedWithoutAPlayerEndsByItself) {
    for (const char16_t* sParams : {u"/SUBPLAYER", u"/SUBPLAYER /FROM:0", u"/SUBPLAYER /FROM:-5",
                                    u"/SUBPLAYER /FROM:12345678", u"/SUBPLAYER /FROM:abc"}) {
        TMyProcess process = ShellExecuteProcess(sSubPlayer, sParams);
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
